#pragma once

#include <QIcon>
#include <QPixmap>

// The program's pictures, drawn by the program itself.
QIcon ApplicationIcon();
// The splash picture, with the version line.
QPixmap SplashPicture();
