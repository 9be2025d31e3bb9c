#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <memory>
#include <optional>

// One step of a one-field input sequence: the picture and prompt shown above the field, how the
// field takes input, and the key its answer is stored under.
class SingleInputConfigurator {
public:
    // keyboardInput: this value asks for the number pad; any other keeps the field's keyboard.
    static constexpr int kNumberPad = 1;

    static std::shared_ptr<SingleInputConfigurator>
    withImage(const QImage& image, const QString& text, std::optional<int> textLimit,
              const QString& key, bool secureTextEntry, int keyboardInput);

    QImage image() const { return image_; }
    void setImage(const QImage& image) { image_ = image; }
    QString text() const { return text_; }
    void setText(const QString& text) { text_ = text; }
    // The required length of the answer; none, 0 or less means any length.
    std::optional<int> textLimit() const { return textLimit_; }
    void setTextLimit(std::optional<int> limit) { textLimit_ = limit; }
    // The required length, 0 when there is none.
    int requiredLength() const { return textLimit_ && *textLimit_ > 0 ? *textLimit_ : 0; }
    QString key() const { return key_; }
    void setKey(const QString& key) { key_ = key; }
    bool secureTextEntry() const { return secureTextEntry_; }
    void setSecureTextEntry(bool secure) { secureTextEntry_ = secure; }
    int keyboardInput() const { return keyboardInput_; }
    void setKeyboardInput(int input) { keyboardInput_ = input; }

private:
    QImage image_;
    QString text_;
    std::optional<int> textLimit_;
    QString key_;
    bool secureTextEntry_ = false;
    int keyboardInput_ = 0;
};

// The steps of a sequence, in order. A null entry is not a step.
using SingleInputConfigurators = QList<std::shared_ptr<SingleInputConfigurator>>;
