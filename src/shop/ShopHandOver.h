#pragma once

class ViewController;

// How a shop that began at the charge button ends: on a phone the card-reading screen takes the
// shop's place in the stack; on a pad the shop closes and the card-reading screen below sends the
// sale. Only a card-reading screen is sent the sale; without one the shop just closes.
namespace ShopHandOver {

// From the offer screen: the offer screen leaves the stack.
void fromOffer(ViewController* offer);
// From the done screen: every screen from the offer screen up is dropped.
void fromDone(ViewController* done);

} // namespace ShopHandOver
