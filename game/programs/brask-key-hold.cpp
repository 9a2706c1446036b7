#include "ArcadeGame.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    return RunArcadeGame(hInstance, kKeyHoldSettings);
}
