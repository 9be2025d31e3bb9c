#pragma once

#include "reader/service/WeakRef.h"

// The reader controller as the contactless prompt sees it: the prompt's cancel leaves
// contactless mode.
class ContactlessPromptDelegate : public Watched {
public:
    virtual ~ContactlessPromptDelegate() = default;
    virtual void disableNFC() = 0;
};

// What the reader controller needs of the contactless prompt screen (the initial screen of the
// storyboard "DSpread_Pinpad_Contactless"): to be told whom its cancel goes to. The delegate is
// not owned; the prompt holds it as a WeakRef.
class ContactlessPrompt {
public:
    virtual ~ContactlessPrompt() = default;
    virtual void setDelegate(ContactlessPromptDelegate* delegate) = 0;
};
