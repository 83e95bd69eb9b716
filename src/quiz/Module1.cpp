#include "quiz/Module1.h"

namespace Module1 {

void Initialize() {
    ChoiceArray = QStringList(ChoiceCount, QString());
}

void Release() {
    Name.clear();
    ChoiceArray.clear();
    CorrectAnswer.clear();
    R.reset();
}

} // namespace Module1
