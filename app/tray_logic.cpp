// The report on the word book and the Status table of the tray.
#include "app/tray_logic.h"

#include "wordbook/word_book.h"

BookTally TallyWordBook()
{
    BookTally tally = {};
    for (const WordRecord* r = g_wordBook.first; r != nullptr; r = r->next) {
        ++tally.total;
        int answered = r->RightCount + r->WrongCount;
        if (answered > 0) {
            if (r->RightCount > r->WrongCount)
                ++tally.wellAnswered;
            else
                ++tally.badlyAnswered;
        } else if (r->CheckCount == 0) {
            ++tally.neverAsked;
        } else {
            ++tally.checkedOnly;
        }
    }
    return tally;
}

TrayState TrayStateFor(int status)
{
    if (status < 0 || status > 3)
        return TrayState{status & 3, false, false, false};
    bool paused = (status & 1) != 0;
    bool showOnly = (status & 2) != 0;
    return TrayState{status, paused, showOnly, !paused};
}

int TogglePause(int status)
{
    return (status == 0 || status == 2) ? status + 1 : status - 1;
}

int ToggleShowOnly(int status)
{
    return (status == 0 || status == 1) ? status + 2 : status - 2;
}
