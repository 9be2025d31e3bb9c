#pragma once

#include <QGroupBox>

#include <memory>

class QComboBox;
class QLabel;
class SimulatedReader;

// The demo window's simulated cards: picks a card profile and presents it to the simulated
// reader (a card-reading screen waiting takes it at once), or takes the inserted card out.
class SimulatedCardPanel : public QGroupBox {
    Q_OBJECT
public:
    SimulatedCardPanel(std::shared_ptr<SimulatedReader> reader, QWidget* parent = nullptr);

    // The simulated reader the demo runs with; null with a real reader.
    static std::shared_ptr<SimulatedReader> simulatedReader();

private:
    void present();
    void remove();

    std::shared_ptr<SimulatedReader> reader_;
    QComboBox* profiles_;
    QLabel* state_;
};
