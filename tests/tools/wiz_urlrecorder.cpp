// wiz_urlrecorder RECORDFILE ADDRESS: stands in for the browser. Registered in a test prefix as
// the program that opens http addresses (command: "wiz_urlrecorder.exe" "RECORDFILE" "%1"), it
// appends "url=ADDRESS" to the record file and ends, so a test can see which page the setup opened.
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    FILE* file = fopen(argv[1], "a");
    if (!file)
        return 1;
    fprintf(file, "url=%s\n", argc > 2 ? argv[2] : "");
    fclose(file);
    return 0;
}
