#pragma once
#include <string>

namespace velmar {

// The link state that lives for the whole run and is shared by every
// exchange. One instance per process, passed by reference.
struct LinkGlobals {
    int comPort = 1; // "COM" + comPort, kept in mysetup.ini
    // The cable echo assumption: false while an echo of every command is
    // expected in front of the reply. Flipped whenever a handshake goes
    // unanswered; the setting that last worked stays.
    bool NoEcho = false;
    // The radio password the user gave (ANSI bytes, at most 4); never stored
    // on disk and never sent to the radio.
    std::string RadioPassword;
    bool PasswordEntered = false; // the password dialog has been shown
};

} // namespace velmar
