#pragma once

class QDateTimeEdit;

// A date typed as the user writes it ("11/15/2026") lands in its boxes. A section that is
// full moves on to the next by itself, so the separator typed after it would skip a section;
// such a separator is taken as already typed.
void typeSeparatorsOnce(QDateTimeEdit* edit);
