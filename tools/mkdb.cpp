// Creates an empty database of one of the program's kinds:
//   talpex-mkdb project|frame|presets FILE
#include "data/Schema.h"
#include "platform/VBError.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: talpex-mkdb project|frame|presets FILE\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[2]);
    try {
        if (!std::strcmp(argv[1], "project")) schema::createProjectDatabase(path);
        else if (!std::strcmp(argv[1], "frame")) schema::createFrameDatabase(path);
        else if (!std::strcmp(argv[1], "presets")) schema::createPresetsDatabase(path);
        else {
            std::fprintf(stderr, "unknown kind %s\n", argv[1]);
            return 2;
        }
    } catch (const vb::VBError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.Description()));
        return 1;
    }
    return 0;
}
