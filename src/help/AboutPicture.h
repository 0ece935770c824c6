#pragma once

#include <QByteArray>

namespace kestro {

// The About box's picture as JPEG data, carried inside the program.
QByteArray AboutPictureJpeg();

} // namespace kestro
