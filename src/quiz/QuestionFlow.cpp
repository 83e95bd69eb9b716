// The running of a test: twenty questions, their answers and the four timers.
#include "quiz/Window1.h"

void Window1::StartTest_Action() {}
void Window1::Enter_Action() {}
void Window1::NextQuestion_Action() {}
void Window1::MoreTime_Action() {}
void Window1::Quit_Action() {}
void Window1::Kagi1_Action() {}
void Window1::ComboBox1_Change() {}
void Window1::Timer1_Action() {}
void Window1::Timer2_Action() {}
void Window1::Timer3_Action() {}
void Window1::Timer4_Action() {}
