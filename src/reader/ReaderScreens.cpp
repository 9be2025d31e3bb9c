#include "reader/ReaderScreens.h"

#include "reader/DSpreadViewController.h"
#include "reader/ReaderController.h"
#include "reader/ReaderDemoCompletedViewController.h"
#include "reader/views/DSpreadPinpad.h"
#include "reader/views/DSpreadPinpadContactless.h"

void ReaderScreens::registerScreens() {
    // Every reader controller shows the pinpad reader as its view.
    DSpreadViewController::setDeviceMaker([] { return new DSpreadPinpad(); });
    Storyboard::registerViewController(contactlessPrompt.storyboard, contactlessPrompt.identifier,
                                       [] { return new DSpreadPinpadContactless(); });
    Storyboard::setInitialViewController(contactlessPrompt.storyboard,
                                         contactlessPrompt.identifier);
    Storyboard::registerViewController(readers.storyboard, readers.identifier,
                                       [] { return new ReaderController(); });
    Storyboard::registerViewController(readerDemoCompleted.storyboard,
                                       readerDemoCompleted.identifier,
                                       [] { return new ReaderDemoCompletedViewController(); });
}
