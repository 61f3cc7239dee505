#pragma once

#include "core/logic/RichTextPrinting.h"

#include <QTextEdit>

// Prints the whole content of a rich text box, as PrintRTF prints its document.
inline void PrintRTF(QTextEdit& box, int leftMargin, int topMargin, int rightMargin,
                     int bottomMargin) {
    PrintRTF(*box.document(), leftMargin, topMargin, rightMargin, bottomMargin);
}
