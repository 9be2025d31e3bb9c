#pragma once

#include "platform/ui/ViewController.h"

#include <QImage>
#include <functional>

// The photo-album picker, landscape only: the picture comes from the ImageSource service in
// force; the completion gets a null image when the user cancels.
class imagePicker : public ViewController {
    Q_OBJECT
public:
    // Landscape left and landscape right.
    static constexpr int kLandscapeMask = 24;

    explicit imagePicker(QObject* parent = nullptr);

    bool shouldAutorotate() const override { return true; }
    int supportedInterfaceOrientations() const override { return kLandscapeMask; }

    // Asks the image source for a picture over the given widget (this screen's view when null).
    void pickImage(QWidget* over, std::function<void(const QImage&)> completion);
};
