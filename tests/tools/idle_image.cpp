// idle_image: a program that only waits, so a test can hold a running program file (which can be
// renamed but neither deleted nor overwritten) and end it afterwards. Ends by itself after
// two minutes at the latest.
#include <windows.h>

int main()
{
    Sleep(120 * 1000);
    return 0;
}
