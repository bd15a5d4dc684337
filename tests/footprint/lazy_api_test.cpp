// Loading system DLLs on first use: nothing is mapped before the first call, the function
// found is the DLL's own, and missing DLLs or functions give nothing instead of failing.
#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include "app/lazy_api_win32.h"

namespace {

bool IsLoaded(const wchar_t* dll)
{
    return GetModuleHandleW(dll) != nullptr;
}

FARPROC OwnAddress(const wchar_t* dll, const char* function)
{
    HMODULE module = GetModuleHandleW(dll);
    return module != nullptr ? GetProcAddress(module, function) : nullptr;
}

// Each DLL that the program loads late, with one of its functions. The test program
// itself must not import them, or the first check would prove nothing.
struct LateDll {
    const wchar_t* dll;
    const char* function;
};

const LateDll kLateDlls[] = {
    {L"winmm.dll", "PlaySoundW"},
    {L"comdlg32.dll", "GetOpenFileNameW"},
};

TEST(LazyApi, LoadsEachDllOnlyAtTheFirstLookUpAndFindsItsOwnFunction)
{
    for (const LateDll& late : kLateDlls) {
        SCOPED_TRACE(late.function);
        ASSERT_FALSE(IsLoaded(late.dll)) << "already in the process before the first call";
        FARPROC found = LoadSystemFunction(late.dll, late.function);
        ASSERT_NE(found, nullptr);
        EXPECT_TRUE(IsLoaded(late.dll));
        EXPECT_EQ(found, OwnAddress(late.dll, late.function));
        // A second look-up finds the same function in the DLL already loaded.
        EXPECT_EQ(LoadSystemFunction(late.dll, late.function), found);
    }
}

TEST(LazyApi, MissingDllsFunctionsAndNamesGiveNothing)
{
    struct Case {
        const wchar_t* dll;
        const char* function;
    };
    const Case cases[] = {
        {L"vokaru-no-such.dll", "PlaySoundW"},
        {L"winmm.dll", "NoSuchFunctionAnywhere"},
        {nullptr, "PlaySoundW"},
        {L"winmm.dll", nullptr},
        // Longer than any path: must be refused, not cut or overrun.
        {L"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"
         L"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"
         L"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"
         L"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa.dll",
         "PlaySoundW"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.function != nullptr ? c.function : "(no function)");
        EXPECT_EQ(LoadSystemFunction(c.dll, c.function), nullptr);
    }
}

TEST(LazyApi, NeverTakesADllOfThatNameFromTheProgramFolder)
{
    const wchar_t planted[] = L"vokaru_lazy_plant.dll";
    // The control: the DLL is beside the program and loads the ordinary way.
    HMODULE ordinary = LoadLibraryW(planted);
    ASSERT_NE(ordinary, nullptr);
    ASSERT_NE(GetProcAddress(ordinary, "PlantedFunction"), nullptr);
    FreeLibrary(ordinary);
    ASSERT_FALSE(IsLoaded(planted));

    EXPECT_EQ(LoadSystemFunction(planted, "PlantedFunction"), nullptr);
    EXPECT_FALSE(IsLoaded(planted));
}

TEST(LazyApi, PlaysNothingForAFileThatIsNotThereAndSaysSo)
{
    // SND_NODEFAULT: a missing file must not fall back to the system's default sound.
    EXPECT_FALSE(PlaySoundOnDemand(L"Z:\\vokaru-no-such-sound.wav", nullptr,
                                   SND_FILENAME | SND_SYNC | SND_NODEFAULT));
    EXPECT_TRUE(IsLoaded(L"winmm.dll"));
}

} // namespace
