#pragma once
// Compaction of the working copy W: W is compacted into the temporary file T
// beside it, then T takes W's place and the connection cnnX is opened on the
// compacted file. W is replaced only by a complete T; whatever fails, W stays
// and cnnX is open again afterwards. The project database is changed only by
// a later Save.
#include <QString>

class Session;

class Compaction {
public:
    struct Result {
        double before = 0; // MB, rounded to one decimal
        double after = 0;
        double gain = 0;   // percent, rounded to one decimal
    };

    explicit Compaction(Session& s) : m_s(s) {}

    // Runs the file protocol; failures raise VBError after W and cnnX are restored.
    Result run();

    // T: W up to its first ".mdb" (any case), then "TEMP.mdb".
    static QString temporaryPath(const QString& workingCopy);
    // Bytes / 1,000,000 rounded to one decimal.
    static double megabytes(qint64 bytes);
    // (before - after) * 100 / before, rounded to one decimal; 0 when before is 0.
    static double gain(double before, double after);
    // The report in the session's language, numbers with its decimal separator.
    static QString report(const Result& r, short sprache);

private:
    // Writes a compacted copy of the closed database source into target.
    static void compactInto(const QString& source, const QString& target);
    // Opens cnnX (and the presets connection when it shares W) on W again.
    void reopen();

    Session& m_s;
    bool m_presetsOnCopy = false;
};
