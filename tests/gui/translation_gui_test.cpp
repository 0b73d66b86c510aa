// The translations: every text a window shows has an English translation (and
// a Chinese one), the English one mends the classic spellings, every Chinese
// text has its glyphs, and Option > Language switches every open window at once
// and keeps the choice.
#include <QXmlStreamReader>
#include <set>

#include "EveryForm.h"
#include "GuiChoose.h"
#include "Language.h"
#include "OnTheVirtualBox.h"
#include "buffer/Documents.h"
#include "buffer/TFileWin.h"
#include "buffer/TPldFileW.h"
#include "shell/MainMenu.h"
#include "shell/Program.h"
#include "shell/TMainForm.h"

using namespace quarvin;

namespace {

bool HasLetter(const std::string& s) {
    return std::any_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80 || std::isalpha(static_cast<unsigned char>(c)); });
}

// The classic texts a form shows as captions: its title and its controls'
// captions, radio items and drop-down items (not what fields, listings and
// lists hold: that is the user's data).
void CaptionsOf(const Form& form, std::set<std::string>& texts) {
    texts.insert(form.caption());
    for (const Control& c : form.controls()) {
        switch (c.kind) {
        case ControlKind::Label:
        case ControlKind::Button:
        case ControlKind::CheckBox:
        case ControlKind::GroupBox: texts.insert(c.text()); break;
        case ControlKind::RadioGroup:
            texts.insert(c.text());
            texts.insert(c.items().begin(), c.items().end());
            break;
        default: break;
        }
    }
}

struct TsMessage {
    std::string id, translation;
    bool finished = false;
};

std::vector<TsMessage> ReadTs(const char* file) {
    QFile f(QString(QUARVIN_SOURCE_DIR "/translations/") + file);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << file;
    QXmlStreamReader xml(&f);
    std::vector<TsMessage> messages;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"message")
            messages.push_back({xml.attributes().value("id").toString().toStdString(), {}, true});
        else if (xml.isStartElement() && xml.name() == u"translation" && !messages.empty()) {
            const QString type = xml.attributes().value("type").toString();
            messages.back().finished = type.isEmpty();
            messages.back().translation = xml.readElementText().toStdString();
        }
    }
    EXPECT_FALSE(xml.hasError()) << file << ": " << xml.errorString().toStdString();
    return messages;
}

using GuiLanguage = guitest::OnTheVirtualBox;

TEST_F(GuiLanguage, EveryCaptionOfEveryFormAndMenuHasAnEnglishAndAChineseTranslation) {
    guitest::EveryForm every(program);
    Program& core = program.program();

    std::set<std::string> texts;
    for (Form* f : every.forms) CaptionsOf(*f, texts);
    CaptionsOf(core.mainForm(), texts);
    CaptionsOf(core.documents().openHexWindow(), texts);
    TPldFileW& pld = core.documents().openPldWindow();
    CaptionsOf(pld, texts);
    for (const PopupItem& item : pld.popupItems()) texts.insert(item.caption);
    texts.insert(MenuBarCaptions().begin(), MenuBarCaptions().end());
    for (const MenuItem& item : MainMenuItems()) texts.insert({item.caption, item.hint});
    for (const ToolButton& b : ToolBarButtons()) texts.insert(b.hint);

    for (i18n::Language language : {i18n::Language::English, i18n::Language::Chinese}) {
        i18n::Translation translation;
        ASSERT_TRUE(translation.load(language)) << i18n::CodeOf(language);
        // A composed caption ("<Device>" and the selected part) counts as translated
        // when its leading part is.
        bool found = false;
        const TextLookup lookup = [&](std::string_view t) {
            auto r = translation.lookup()(t);
            found = found || r;
            return r;
        };
        QStringList missing;
        for (const std::string& t : texts) {
            found = false;
            TranslateText(t, lookup);
            if (HasLetter(t) && !found) missing << QString::fromStdString(t);
        }
        EXPECT_TRUE(missing.isEmpty()) << i18n::CodeOf(language) << " lacks " << missing.size() << ":\n"
                                       << missing.join('\n').toStdString();
    }
}

// Every message of both .ts files is translated, both files know the same
// texts, and the English one has mended every classic misspelling.
TEST(GuiTranslation, TranslationFilesAreCompleteAndTheEnglishOneSpellsCorrectly) {
    const std::vector<TsMessage> english = ReadTs("quarvin_en.ts");
    const std::vector<TsMessage> chinese = ReadTs("quarvin_zh_CN.ts");
    ASSERT_FALSE(english.empty());
    std::set<std::string> englishIds, chineseIds;
    const char* misspelt[] = {"Programe", "Failured", "Secrity", "Founction", "Swicth", "Defualt", "1th", "2th", "Fiel:",
                              "Plesse", "Welcom "};
    for (const TsMessage& m : english) {
        englishIds.insert(m.id);
        EXPECT_TRUE(m.finished && !m.translation.empty()) << "en: '" << m.id << "' is not translated";
        for (const char* word : misspelt)
            EXPECT_EQ(m.translation.find(word), std::string::npos) << "en: '" << m.translation << "' keeps " << word;
        EXPECT_FALSE(std::any_of(m.translation.begin(), m.translation.end(), [](char c) { return static_cast<unsigned char>(c) >= 0xe0; }))
            << "en: '" << m.translation << "' is not all English";
    }
    // With the fonts the set-up installs, every Chinese text has its glyphs.
    const QFont font = QPushButton().font();
    for (const TsMessage& m : chinese) {
        chineseIds.insert(m.id);
        EXPECT_TRUE(m.finished && !m.translation.empty()) << "zh: '" << m.id << "' is not translated";
        EXPECT_EQ(guitest::MissingGlyphs(QString::fromStdString(m.translation), font).toStdString(), "") << m.translation;
    }
    EXPECT_EQ(englishIds, chineseIds);
}

// Option > Language changes the open dialog, the PLD window and the menus at
// once, and the next start finds the choice in the program's settings.
TEST_F(GuiLanguage, LanguageMenuSwitchesOpenWindowsAtOnceAndKeepsTheChoice) {
    guitest::Choose(main, "MPU", "Microchip", "PIC16F84A");
    QWidget* dialog = guitest::TopLevel("TP16c8x");
    ASSERT_NE(dialog, nullptr);
    QAbstractButton* write = dialog->findChild<QPushButton*>("Write");
    program.program().documents().openPldWindow();
    QApplication::processEvents();
    QWidget* pld = main->findChild<QWidget*>("TPldFileW");
    ASSERT_NE(pld, nullptr);

    // The menu item, then the texts it shows: the dialog's Write, the PLD window's
    // title, the File menu, its Exit, the questions' Yes (Qt's own), and the saved choice.
    const struct { const char *action, *write, *pldTitle, *fileMenu, *exit, *yes, *saved; } steps[] = {
        {"Language_en", "Program", "PLD buffer window", "&File", "E&xit", "&Yes", "en"},
        {"Language_zh", "编程", "PLD缓冲区窗口", "文件(&F)", "退出(&X)", "是(&Y)", "zh"},
        {"Language_classic", "Programe", "PLD缓冲区窗口", "&File", "E&xit", "&Yes", "classic"},
    };
    for (const auto& step : steps) {
        auto* choice = main->findChild<QAction*>(step.action);
        ASSERT_NE(choice, nullptr) << step.action;
        choice->trigger();
        QApplication::processEvents();
        EXPECT_EQ(write->text().toStdString(), step.write) << step.action;
        EXPECT_EQ(pld->windowTitle().toStdString(), step.pldTitle) << step.action;
        EXPECT_EQ(main->menuBar()->actions().front()->text().toStdString(), step.fileMenu) << step.action;
        EXPECT_EQ(main->action("&File", "E&xit")->text().toStdString(), step.exit) << step.action;
        EXPECT_TRUE(choice->isChecked());
        QMessageBox question(QMessageBox::Question, "", "", QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(question.button(QMessageBox::Yes)->text().toStdString(), step.yes) << step.action;
        EXPECT_EQ(app::SavedLanguage(dir), *i18n::LanguageNamed(step.saved));
    }
}

} // namespace
