#pragma once

class ViewController;

// Drops the shared sale and ends the card flow as the user's cancel (1000 "User canceled"):
// through the screen's flow end when it has one, else back to its navigation's root.
void cancelCardFlowByUser(ViewController* screen);
