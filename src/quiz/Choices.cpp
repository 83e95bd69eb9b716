// Drawing a question's song and its five answer choices; testing a final score against the table.
#include "quiz/Window1.h"

void Window1::HandleChoices() {}

void Window1::CheckScore() {}
