#include "view/SplitSeconds.h"

// Carries by division rather than by repeated subtraction, which would take ages on a huge total.
void SplitSeconds(Figure& hours, Figure& minutes, Figure& seconds)
{
    if (seconds >= 60) {
        minutes += seconds / 60;
        seconds %= 60;
    }
    if (minutes >= 60) {
        hours += minutes / 60;
        minutes %= 60;
    }
}
