#pragma once
// The program's pictures, drawn rather than shipped: the main window's banner, the about box's
// picture and the program icon.
#include <QPixmap>
#include <QSize>

namespace lmx {

QPixmap BannerPixmap(QSize size);
QPixmap AboutPicture(QSize size);
QPixmap ProgramIconPixmap(int side);

} // namespace lmx
