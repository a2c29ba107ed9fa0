// The session's own operations: the images change only by loadImage() and encode(), the document
// only by edit(), decode() and the steps of its undo history, which callers move through undo()
// and redo() and follow by historyChanged.
#include "session/session.h"

#include <gtest/gtest.h>

#include <functional>

namespace varel::test {
namespace {

// Channel row with a receive frequency and a name, as one edit.
void AddChannel(Session& session, int row, const std::string& name) {
    session.edit("add", [&](Document& d) {
        d.channels.CommitFrequency(row, 1, "145.5", session.band(), session.language());
        d.channels.CommitName(row, name);
    });
}

TEST(Session, ImagesChangeOnlyByLoadAndEncodeAndTheDocumentOnlyByDecode) {
    Session source;
    AddChannel(source, 3, "ABC");
    source.encode();
    const MemoryImage written = source.OutImage();
    source.edit("later", [](Document& d) { d.channels.CommitName(3, "XYZ"); });
    EXPECT_TRUE(source.OutImage() == written);  // until the next encode
    source.encode();
    EXPECT_FALSE(source.OutImage() == written);

    Session session;
    AddChannel(session, 1, "OLD");
    int replaced = 0;
    QObject::connect(&session, &Session::documentReplaced, [&] { ++replaced; });
    session.loadImage(written);
    EXPECT_TRUE(session.InImage() == written);
    EXPECT_FALSE(session.channels().model().channel(3).exists());  // not decoded yet
    EXPECT_TRUE(session.channels().model().channel(1).exists());
    EXPECT_EQ(session.historySize(), 1);
    EXPECT_EQ(replaced, 0);

    session.decode("decode");
    EXPECT_EQ(replaced, 1);
    EXPECT_EQ(session.channels().model().channel(3).name, "ABC");
    EXPECT_EQ(session.channels().cell(3, 1), "145.50000");
    EXPECT_FALSE(session.channels().model().channel(1).exists());
    EXPECT_EQ(session.historySize(), 2);  // the decode is a step after the edit
    EXPECT_TRUE(session.InImage() == written);
}

// A decode is one step like an edit; its undo and redo put back the whole document and tell
// every editor to show it afresh (rows and settings that did not change included), leave InImage
// alone, and give grid texts in the language in force when they are applied.
TEST(Session, ADecodeIsOneStepWhoseUndoAndRedoReplaceTheWholeDocument) {
    Session source;
    AddChannel(source, 3, "ABC");
    source.edit("settings", [](Document& d) {
        d.settings.setBand(1);
        d.settings.setFmChannel(2, "90.00");
        d.settings.setTuning(5, 7);
    });
    source.encode();
    const MemoryImage image = source.OutImage();

    Session session;
    AddChannel(session, 1, "OLD");
    session.edit("tuning", [](Document& d) { d.settings.setTuning(0, 100); });
    const Document before = session.document();
    int replaced = 0;
    QVector<int> rows;
    QVector<SettingId> settings;
    QObject::connect(&session, &Session::documentReplaced, [&] { ++replaced; });
    QObject::connect(&session, &Session::channelRowsChanged,
                     [&](const QVector<int>& r) { rows = r; });
    QObject::connect(&session, &Session::settingsChanged,
                     [&](const QVector<SettingId>& ids) { settings = ids; });
    session.loadImage(image);
    session.decode("decode");
    const Document after = session.document();
    ASSERT_EQ(after.channels.model(), source.channels().model());
    ASSERT_EQ(after.settings.band(), 1);
    ASSERT_EQ(after.settings.tuning(5), 7);

    const std::pair<const char*, std::function<void()>> steps[] = {
        {"undo", [&] { session.undo(); }},
        {"redo", [&] { session.redo(); }},
        {"decode of the same image: no step", [&] { session.decode("decode"); }},
    };
    int told = 1;
    for (const auto& [what, step] : steps) {
        SCOPED_TRACE(what);
        rows.clear();
        settings.clear();
        step();
        EXPECT_EQ(replaced, ++told);
        EXPECT_EQ(rows, AllRows());
        EXPECT_EQ(settings, AllSettings());
        EXPECT_EQ(session.document(), std::string(what) == "undo" ? before : after);
        EXPECT_TRUE(session.InImage() == image);
    }
    EXPECT_EQ(session.historySize(), 3);
    EXPECT_EQ(session.undoLabel(), "decode");

    // Undone after a language switch: the rows come back with texts of the language now shown.
    session.setLanguageFlag(1);
    session.refreshGrid();
    session.undo();
    ChannelTable english = before.channels;
    english.RefreshGrid(Language::English);
    ASSERT_FALSE(english == before.channels);
    EXPECT_TRUE(session.channels() == english);
    EXPECT_EQ(session.settings(), before.settings);
}

// One row per operation, applied in order: what the history offers after it, whether
// historyChanged told of it, and the name of channel 4 (null: not checked).
struct HistoryCase {
    const char* what;
    std::function<void(Session&)> act;
    bool canUndo;
    bool canRedo;
    int index;
    int size;
    bool told;
    const char* name;
};

void Name(Session& s, const char* name) {
    s.edit("name", [name](Document& d) { d.channels.CommitName(4, name); });
}

// Typing of a name: keystrokes with merge key 1 form one step until a commit closes it.
void Type(Session& s, const char* name, bool commit) {
    s.edit(
        "type", [name](Document& d) { d.channels.TypeName(4, name); }, 1, commit);
}

TEST(Session, HistoryIsMovedThroughTheSessionAndToldOfEveryChange) {
    const HistoryCase cases[] = {
        {"an edit", [](Session& s) { Name(s, "A"); }, true, false, 1, 1, true, "A"},
        {"another edit", [](Session& s) { Name(s, "B"); }, true, false, 2, 2, true, "B"},
        {"undo", [](Session& s) { s.undo(); }, true, true, 1, 2, true, "A"},
        {"undo to the start", [](Session& s) { s.undo(); }, false, true, 0, 2, true, ""},
        {"undo with nothing to undo", [](Session& s) { s.undo(); }, false, true, 0, 2, false, ""},
        {"redo", [](Session& s) { s.redo(); }, true, true, 1, 2, true, "A"},
        {"an edit drops what was to redo", [](Session& s) { Name(s, "C"); }, true, false, 2, 2,
         true, "C"},
        {"redo with nothing to redo", [](Session& s) { s.redo(); }, true, false, 2, 2, false, "C"},
        {"an edit that changes nothing", [](Session& s) { Name(s, "C"); }, true, false, 2, 2, false,
         "C"},
        {"typing opens a step", [](Session& s) { Type(s, "CD", false); }, true, false, 3, 3, true,
         "CD"},
        {"typing merges into it", [](Session& s) { Type(s, "CDE", false); }, true, false, 3, 3,
         true, "CDE"},
        {"typing back to where it began leaves no step", [](Session& s) { Type(s, "C", true); },
         true, false, 2, 2, true, "C"},
        {"a decode is one more step",
         [](Session& s) {
             Name(s, "D");
             s.encode();
             s.undo();
             s.loadImage(s.OutImage());
             s.decode("decode");
         },
         true, false, 3, 3, true, "D"},
        {"a decode of what the document holds is no step", [](Session& s) { s.decode("decode"); },
         true, false, 3, 3, false, "D"},
        {"undo of a decode", [](Session& s) { s.undo(); }, true, true, 2, 3, true, "C"},
        {"redo of a decode", [](Session& s) { s.redo(); }, true, false, 3, 3, true, "D"},
    };
    Session session;
    int told = 0;
    QObject::connect(&session, &Session::historyChanged, [&] { ++told; });
    for (const HistoryCase& c : cases) {
        SCOPED_TRACE(c.what);
        told = 0;
        c.act(session);
        EXPECT_EQ(session.canUndo(), c.canUndo);
        EXPECT_EQ(session.canRedo(), c.canRedo);
        EXPECT_EQ(session.historyIndex(), c.index);
        EXPECT_EQ(session.historySize(), c.size);
        EXPECT_EQ(told > 0, c.told);
        EXPECT_EQ(session.undoLabel().isEmpty(), !c.canUndo);
        EXPECT_EQ(session.redoLabel().isEmpty(), !c.canRedo);
        if (c.name != nullptr) {
            EXPECT_EQ(session.channels().model().channel(4).name, c.name);
        }
    }
}

}  // namespace
}  // namespace varel::test
