#pragma once
// A main frame around a document on a fixed date, with an in-memory profile.

#include "../TestSupport.h"
#include "app/MainFrame.h"
#include "document/ChargeFollower.h"
#include "platform/core/PathText.h"
#include "res/Resource.h"
#include "view/PeloraView.h"

#include <QAction>
#include <QCoreApplication>
#include <QPaintEvent>
#include <QTest>
#include <gtest/gtest.h>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

class FrameFixture : public testing::Test, protected DocFixture {
protected:
    CSettings settings{profile};
    CRecordingSink sink; // the frame's messages
    std::unique_ptr<CChargeFollower> follower;
    std::optional<std::time_t> lookTime; // set: the follower's looks happen then, whatever the clock says
    std::unique_ptr<CMainFrame> frame;
    std::vector<QString> opened;

    // A stored charge file with one call today, then the frame.
    void Start(const std::string& content = "96/12/20 10:00:00  OUT00:01:40      100 0\r\n")
    {
        Open(folder.Write("log", content), 20, k1996Dec20);
        CreateFrame();
    }

    void CreateFrame()
    {
        frame.reset();
        follower = std::make_unique<CChargeFollower>(*doc, [this] { return lookTime.value_or(clock.Now()); });
        FrameServices services{settings, sink, [](int) {},
                               [this](const QString& path) { // as the application opens a file
                                   opened.push_back(path);
                                   std::string failure;
                                   if (doc->OnOpenDocument(EncodePath(path), failure))
                                       follower->Load(CPeloraDoc::LoadKind::Whole);
                               }};
        frame = std::make_unique<CMainFrame>(*doc, *follower, services);
        profile.ClearWrites();
    }

    CPeloraView& View() { return *frame->GetActiveView(); }
    bool Checked(int id) { return frame->Action(id)->isChecked(); }
    // The command, and the load it may have started, done.
    void Command(int id)
    {
        frame->Action(id)->trigger();
        Loaded();
    }
    // The load under way done, and what it told (a failure's message) delivered. A whole GiB may be
    // left to read (sanitized, beside other tests and busy programs): the deadline is generous.
    void Loaded()
    {
        ASSERT_TRUE(QTest::qWaitFor([&] { return !follower->IsLoading(); }, 60000));
        QCoreApplication::sendPostedEvents();
    }
};
