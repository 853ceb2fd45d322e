#include "view/web_link.h"

namespace WebLink {

QUrl ToOpenableUrl(const std::string& link) {
    const QUrl url(QString::fromStdString(link).trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")) ||
        url.host().isEmpty())
        return {};
    return url;
}

}  // namespace WebLink
