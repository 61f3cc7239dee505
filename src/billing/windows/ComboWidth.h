#pragma once

class QComboBox;

// Sizing a list box that holds thousands of names (the client list).
namespace ComboWidth {

// Makes a box of texts without icons as wide and as high as Qt makes it for its items,
// measuring only the few names that can be the widest: Qt shapes every name to size the box,
// and does so again each time its size is asked for after its list changed. The box keeps that
// size until this is called again (after its list or its font changed).
void fitToItems(QComboBox* box);

} // namespace ComboWidth
