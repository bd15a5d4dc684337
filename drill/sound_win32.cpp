// Playing the drill's sounds.
#include "drill/sound_win32.h"

#include <windows.h>
#include <mmsystem.h>

#include "platform/text_win32.h"

void PlayDrillSound(const char* fileName)
{
    if (fileName == nullptr || fileName[0] == '\0')
        return;
    PlaySoundW(WideFromCp932(fileName).c_str(), nullptr, SND_FILENAME | SND_ASYNC);
}
