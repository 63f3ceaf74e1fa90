#pragma once
// Adds the pieces of a stretch of the charge file to its slot tallies, in order. A log is written
// in date order, so most lines have the date of the line before: such a run of lines is summed in
// place and added to its slots at once, which gives the running maximum too, since lines read the
// usual way never lower a sum. Anything else (a new date, a negative or odd field, a piece a later
// byte may change) ends the run and goes the general way.

#include "document/ChargeFile.h"
#include "document/SlotClassifier.h"
#include "document/SlotTallies.h"

#include <cstdint>
#include <cstring>
#include <string_view>

class CLineTally {
public:
    CLineTally(const CSlotClassifier& classifier, SlotTallies& complete, SlotTallies& unfinished)
        : m_classifier(classifier), m_complete(complete), m_unfinished(unfinished)
    {
    }
    CLineTally(const CLineTally&) = delete;
    CLineTally& operator=(const CLineTally&) = delete;

    // A piece, as the piece cutter hands it on.
    void operator()(std::string_view piece, bool final) { AddAlone(piece, final); }

    // The lines at the start of data[0, size) that go on the run under way and are read the usual
    // way, taken at once; returns the bytes they span, line feeds included.
    std::size_t TakeLines(const char* data, std::size_t size);

    // Adds the run under way to its slots: due after the last piece.
    void EndRun();

private:
    void AddAlone(std::string_view piece, bool final);
    // As TakeLines, but at most lines lines, less those taken (lines is 0 when all were).
    std::size_t TakeLinesOneByOne(const char* data, std::size_t size, int& lines);

    CSlotClassifier m_classifier;
    SlotTallies& m_complete;
    SlotTallies& m_unfinished;
    bool m_inRun = false;
    bool m_runCounts = false; // the run's date falls in a slot
    std::uint64_t m_runKey = 0;
    SlotPair m_runSlots;
    ChargeRun m_run;
};
