#include <windows.h>
#include <stdio.h>

/* Says which file it runs from; that is all an installer test needs to see. */
int main(void)
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, MAX_PATH);
    printf("sample uninstaller: %s\n", path);
    return 0;
}
