// The tray's plain logic: the report on the whole book and what each Status means.
#pragma once

// The five counts of the report on the word book, in the report's order.
struct BookTally {
    int total;
    int wellAnswered;    // answered, more right than wrong
    int badlyAnswered;   // answered, not more right than wrong
    int neverAsked;      // neither answered nor shown for checking
    int checkedOnly;     // never answered, but shown for checking
};

// Walks the word book once and puts every record into exactly one group.
BookTally TallyWordBook();

// What the tray shows and runs for a Status value (0-3; other values: no checks,
// no timer, the icon of Status & 3).
struct TrayState {
    int icon;            // index into VOKARU, PAUSE, VOKARU_CHECK, PAUSE_CHECK
    bool pauseChecked;
    bool showOnlyChecked;
    bool timerRunning;
};

TrayState TrayStateFor(int status);

// The Status after the pause and show-only commands.
int TogglePause(int status);
int ToggleShowOnly(int status);
