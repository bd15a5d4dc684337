// Playing the drill's sounds.
#include "drill/sound_win32.h"

#include <windows.h>
#include <mmsystem.h>

#include "app/lazy_api_win32.h"
#include "platform/text_win32.h"

void PlayDrillSound(const char* fileName)
{
    if (fileName == nullptr || fileName[0] == '\0')
        return;
    // winmm is loaded by the first sound, not at start-up: without sounds set it never is.
    PlaySoundOnDemand(WideFromCp932(fileName).c_str(), nullptr, SND_FILENAME | SND_ASYNC);
}
