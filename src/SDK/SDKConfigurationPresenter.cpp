#include "SDK/SDKConfigurationPresenter.h"

SDKConfigurationPresenter::SDKConfigurationPresenter() = default;
SDKConfigurationPresenter::~SDKConfigurationPresenter() = default;

void SDKConfigurationPresenter::startInViewController(QWidget* /*viewController*/) {
    // The settings screen is not in this build yet.
    if (completion_)
        completion_(
            TarvelloError{TarvelloError::sdkDomain, 0, QStringLiteral("Not available yet"), nullptr}
                .toResult(),
            false);
}
