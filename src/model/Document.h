#pragma once

#include <QString>
#include <memory>
#include <optional>

// A buyer's identity document: its kind and number.
class Document {
public:
    std::shared_ptr<Document> copy() const { return std::make_shared<Document>(*this); }

    std::optional<QString> type() const { return type_; }
    void setType(const std::optional<QString>& value) { type_ = value; }
    std::optional<QString> number() const { return number_; }
    void setNumber(const std::optional<QString>& value) { number_ = value; }

private:
    std::optional<QString> type_;
    std::optional<QString> number_;
};
