#include "SimulatedCardPanel.h"

#include "platform/core/ServiceRegistry.h"
#include "reader/simulated/CardProfile.h"
#include "reader/simulated/SimulatedReader.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

SimulatedCardPanel::SimulatedCardPanel(std::shared_ptr<SimulatedReader> reader, QWidget* parent)
    : QGroupBox(QStringLiteral("Simulated card"), parent)
    , reader_(std::move(reader))
    , profiles_(new QComboBox)
    , state_(new QLabel) {
    setObjectName(QStringLiteral("simulatedCardPanel"));
    profiles_->setObjectName(QStringLiteral("cardProfile"));
    profiles_->addItems(CardProfile::names());
    auto* present = new QPushButton(QStringLiteral("Present card"));
    present->setObjectName(QStringLiteral("presentCard"));
    auto* remove = new QPushButton(QStringLiteral("Remove card"));
    remove->setObjectName(QStringLiteral("removeCard"));
    state_->setObjectName(QStringLiteral("cardState"));
    connect(present, &QPushButton::clicked, this, &SimulatedCardPanel::present);
    connect(remove, &QPushButton::clicked, this, &SimulatedCardPanel::remove);

    auto* row = new QHBoxLayout(this);
    row->addWidget(profiles_, 1);
    row->addWidget(present);
    row->addWidget(remove);
    row->addWidget(state_);
}

std::shared_ptr<SimulatedReader> SimulatedCardPanel::simulatedReader() {
    return std::dynamic_pointer_cast<SimulatedReader>(Services::get<ReaderFactory>());
}

void SimulatedCardPanel::present() {
    QString error;
    const QString name = profiles_->currentText();
    state_->setText(reader_->presentCardNamed(name, &error) ? name + QStringLiteral(" presented")
                                                            : error);
}

void SimulatedCardPanel::remove() {
    reader_->removeCard();
    state_->setText(QStringLiteral("card removed"));
}
