#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

// The program's pictures, drawn by the program itself. The installed icon theme is written from
// the same drawing at build time, so the window and the desktop show one picture.

// The application icon, size x size pixels on a transparent background; needs no application
// object.
QImage ApplicationIconImage(int size);
// The icon at the sizes a window asks for.
QIcon ApplicationIcon();
// The splash picture, with the version line.
QPixmap SplashPicture();
