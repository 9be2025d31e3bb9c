#pragma once

#include "platform/ui/ViewController.h"

#include <QImage>
#include <QPointer>
#include <QRectF>
#include <functional>

class QPushButton;

// The square photo crop editor: the photo under a square frame whose side is the shorter side
// of the editing area; the merchant drags the photo and zooms it (wheel) under the frame.
// "chooseButton" hands the square under the frame to the completion, "cancelButton" hands a
// null image. The completion runs once. Outlets: "cropView", "chooseButton", "cancelButton".
class PhotoCropController : public ViewController {
    Q_OBJECT
public:
    using Completion = std::function<void(const QImage& cropped)>;

    PhotoCropController(QImage photo, Completion completion, QObject* parent = nullptr);
    ~PhotoCropController() override;

    // The part of the photo under the frame, in the photo's pixels.
    QRectF cropRect() const;
    // The square under the frame, cut from the photo.
    QImage croppedImage() const;

    void choose();
    void cancel();

protected:
    QWidget* loadView() override;

private:
    class CropView;
    void finish(const QImage& result);

    QImage photo_;
    Completion completion_;
    QPointer<CropView> cropView_;
};
