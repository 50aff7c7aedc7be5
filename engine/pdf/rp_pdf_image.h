// Image XObjects: the pixels of an image as a compressed RGB (or grey) stream, with a
// soft mask for its alpha channel.
#pragma once

class QImage;
class TRpPdfFile;

// Writes the image and returns its object number.
int rpWritePdfImage(TRpPdfFile& file, const QImage& image);
