#include "model/States.h"

States& States::instance() {
    static States shared;
    return shared;
}

void States::pickCountry(const QString& code) {
    country_ = code;
    if (code != QLatin1String("AR")) {
        statesList_.reset();
        return;
    }
    statesList_ = QStringList{
        QStringLiteral("CABA"),
        QStringLiteral("Buenos Aires"),
        QStringLiteral("Catamarca"),
        QStringLiteral("Chaco"),
        QStringLiteral("Chubut"),
        QStringLiteral("Córdoba"),
        QStringLiteral("Corrientes"),
        QStringLiteral("Entre Ríos"),
        QStringLiteral("Formosa"),
        QStringLiteral("Jujuy"),
        QStringLiteral("La Pampa"),
        QStringLiteral("La Rioja"),
        QStringLiteral("Mendoza"),
        QStringLiteral("Misiones"),
        QStringLiteral("Neuquén"),
        QStringLiteral("Río Negro"),
        QStringLiteral("Salta"),
        QStringLiteral("San Juan"),
        QStringLiteral("San Luis"),
        QStringLiteral("Santa Cruz"),
        QStringLiteral("Santa Fé"),
        QStringLiteral("Santiago del Estero"),
        QStringLiteral("Tierra del Fuego"),
        QStringLiteral("Tucumán"),
    };
    defaultSelected_ = 0;
    firstIndex_ = 1;
}
