#pragma once

#include <QUrl>
#include <string>

// Web links come from the data files, so only plain web addresses may reach the desktop: a
// downloaded file must not make it open a local file or start a program.
namespace WebLink {

// The link as a URL when it is an http:// or https:// address with a host; an invalid QUrl
// for anything else (a local path, file:, javascript:, another scheme).
QUrl ToOpenableUrl(const std::string& link);

}  // namespace WebLink
