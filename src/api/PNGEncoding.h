#pragma once

#include <QByteArray>
#include <QImage>
#include <optional>

// PNG encodings made ahead of a request, off the main thread: a multipart body takes the bytes
// kept for an image part instead of encoding the image again on the main thread. Thread-safe.
namespace PNGEncoding {

// The image as PNG bytes (any thread).
QByteArray encode(const QImage& image);
// Keeps the encoding of this image for its request; only the few latest are kept.
void keep(const QImage& image, const QByteArray& png);
// The kept encoding of this very image (same pixels, by Qt's cache key), handed over once.
std::optional<QByteArray> take(const QImage& image);

} // namespace PNGEncoding
