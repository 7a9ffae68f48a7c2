#ifndef MORVEL_QT_PICTURES_H_
#define MORVEL_QT_PICTURES_H_

#include <QImage>
#include <QPixmap>
#include <QString>
#include <string>

#include "pictures/pixels.h"

// The pictures the panel refers to by description ("image:N",
// "thumbnail:PATH:SIZE"), drawn for the screen.
namespace morvel::qt {

// Picture `index` (1..7) of the material header image list, 15 x 14 pixels:
// 1 a blue radial colour gradient (colour), 2 a speckled multicoloured
// texture (map 1), 3 the same texture faded almost to white (map 2), 4 the
// texture fading out towards one side (map 3), 5 a blue grid of bumps (bump
// map), 6 a white glow on blue (glow), 7 a textured sphere (environment).
// An index outside 1..7 gives a null image.
QImage ImageListImage(int index);

// What each picture stands for, for tooltips and accessible names.
QString ImageListMeaning(int index);

// The pixmap of a picture description; a null pixmap for the empty
// description or one that names nothing. A thumbnail whose file exists
// (absolute, or relative to `base_folder`) shows the image scaled to SIZE;
// a missing file shows a swatch drawn from its name, so a scene stays
// readable without its textures.
QPixmap PictureFor(const std::string& description,
                   const QString& base_folder = QString());

// Splits "thumbnail:PATH:SIZE"; false for anything else.
bool ParseThumbnail(const std::string& description, std::string* path,
                    int* size);

}  // namespace morvel::qt

#endif  // MORVEL_QT_PICTURES_H_
