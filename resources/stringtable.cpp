#include "resources/stringtable.h"

#include <cstdio>
#include <cstring>

struct stringentry {
    u32 id;
    const char* text;
};

static const stringentry strings[] = {
    {1, "Do you really want to quit?"},
    {2, "Run Demo"},
    {3, "Options"},
    {4, "Screen Shots"},
    {5, "Exit"},
    {6, "Ok"},
    {7, "Yes"},
    {8, "No"},
    {9, "Map Editor"},
    {10, "Exit to menu?"},
    {11, "Load Game"},
    {12, "New Game"},
    {101, "Uday uyay eallyray antway utay itquay?"},
    {102, "Unay Ampaigncay"},
    {103, "Optionsway"},
    {104, "Eenscray Otshay"},
    {105, "Exitway"},
    {106, "Ok"},
    {107, "Esyay"},
    {108, "Onay"},
    {109, "Editorway Apmay"},
    {110, "Abortway urrentcay issionmay?"},
    {111, "Oadlay Amegay"},
    {112, "Ewnay Amegay"},
};

int loadstring(u32 id, char* buf, size_t size) {
    if (!size) return 0;
    buf[0] = 0;
    for (const stringentry& s : strings)
        if (s.id == id) {
            std::snprintf(buf, size, "%s", s.text);
            return (int)std::strlen(buf);
        }
    return 0;
}
