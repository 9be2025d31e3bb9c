#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The provinces of the country last picked, for the province pickers. Only Argentina ("AR")
// has a list.
class States {
public:
    States() = default;
    States(const States&) = delete;
    States& operator=(const States&) = delete;

    static States& instance();

    void pickCountry(const QString& code);

    QString country() const { return country_; }
    void setCountry(const QString& value) { country_ = value; }
    const std::optional<QStringList>& statesList() const { return statesList_; }
    void setStatesList(const std::optional<QStringList>& value) { statesList_ = value; }
    int defaultSelected() const { return defaultSelected_; }
    void setDefaultSelected(int value) { defaultSelected_ = value; }
    int firstIndex() const { return firstIndex_; }
    void setFirstIndex(int value) { firstIndex_ = value; }

private:
    QString country_{""};
    std::optional<QStringList> statesList_;
    int defaultSelected_ = 0;
    int firstIndex_ = 0;
};
