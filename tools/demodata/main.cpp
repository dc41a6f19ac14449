// Puts the demo data into a demo installation:
//   talpex-demodata VORGABE.mdb PROJECT/TALPEX.mdb [SECOND/TALPEX.mdb]
#include "DemoData.h"

#include "platform/VBError.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: talpex-demodata VORGABE.mdb PROJECT/TALPEX.mdb [SECOND/TALPEX.mdb]\n");
        return 2;
    }
    try {
        addDemoData(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]),
                    argc == 4 ? QString::fromLocal8Bit(argv[3]) : QString());
    } catch (const vb::VBError& e) {
        std::fprintf(stderr, "talpex-demodata: %s\n", qPrintable(e.Description()));
        return 1;
    }
    return 0;
}
