#ifndef MORVEL_QT_TGA_IMAGE_H_
#define MORVEL_QT_TGA_IMAGE_H_

#include <QByteArray>
#include <QImage>

// TGA, the texture format of many model files, read whole: Qt's own reader
// knows only the uncompressed true-colour files that end in the version 2
// footer, and textures are as often run-length encoded, grey, colour-mapped
// or older. Every kind a TGA file may hold: colour-mapped, true-colour and
// grey, raw or run-length encoded, 8 to 32 bits a pixel, any origin.
namespace morvel::qt {

// The image in `data`, or a null image for anything that is not a whole,
// well-formed TGA file (or larger than 8192 pixels a side): never reads
// past the data.
QImage ReadTga(const QByteArray& data);

}  // namespace morvel::qt

#endif  // MORVEL_QT_TGA_IMAGE_H_
