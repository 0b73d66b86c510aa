// File > Load through the real Qt file dialog: a file without an extension is
// listed under the "*.*" filter, and its typed name opens it as it is; the
// program's filter strings become Qt's filters matching both cases.
#include "QtPlatform.h"
#include "buffer/Documents.h"
#include "buffer/FileCommands.h"
#include "guitest.h"
#include "support/FakePlatform.h"

using namespace quarvin;

namespace {

struct SeenInDialog { bool listed = false, accepted = false; };

// Waits for the file dialog and for its list to show `name`, then types the name
// and accepts. A dialog that will not accept is cancelled, so that the test ends.
void TypeIntoFileDialog(const QString& name, SeenInDialog& seen, int tries = 200) {
    QTimer::singleShot(10, [name, &seen, tries] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        auto* list = dialog ? dialog->findChild<QAbstractItemView*>("listView") : nullptr;
        if (list && list->model() && !seen.listed) {
            const QModelIndex root = list->rootIndex();
            for (int r = 0; r < list->model()->rowCount(root); ++r)
                if (list->model()->index(r, 0, root).data().toString() == name) seen.listed = true;
        }
        if (!dialog || (!seen.listed && tries > 0)) return TypeIntoFileDialog(name, seen, tries - 1);
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(name);
        // A name the dialog cannot find brings up its warning box; answer it (the
        // timer goes with the dialog, so it never answers a later box).
        QTimer::singleShot(50, dialog, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->reject();
        });
        static_cast<QDialog*>(dialog)->accept(); // the button's path: checks the name as typed
        seen.accepted = !dialog->isVisible();
        if (!seen.accepted) dialog->reject();
    });
}

TEST(GuiFileDialog, AFileWithoutExtensionIsListedAndLoadsUnderTheAllFilesFilter) {
    const std::string dir = guitest::ProgramDir("filedialog", false);
    std::ofstream(dir + "firmware", std::ios::binary) << "\x12\x34\x56";

    test::FakePlatform fake;
    app::QtFileDialogs files;
    fake.platform.files = &files;
    fake.windows.modalScripts["TFileFormat"] = [](Form& f) { return f.click("OKBtn"), f.modalResult(); };
    MainBuffer buffer;
    buffer.initialise();
    Documents documents{buffer, fake.platform};
    DataFileState state;
    FileCommands commands{documents, fake.platform, state, dir};

    SeenInDialog seen;
    TypeIntoFileDialog("firmware", seen);
    commands.LoadFileClick();
    EXPECT_TRUE(seen.listed);
    EXPECT_TRUE(seen.accepted);
    EXPECT_EQ(state.fileName, dir + "firmware");
    EXPECT_EQ(buffer[0], 0x12);
    EXPECT_EQ(buffer[2], 0x56);
    EXPECT_EQ(documents.endAddress(), 2);

    EXPECT_EQ(app::NameFilters("Bin file (*.bin)|*.BIN|Hex file|*.hex;*.ihx"),
              (QStringList{"Bin file (*.BIN *.bin)", "Hex file (*.hex *.HEX *.ihx *.IHX)"}));
    EXPECT_EQ(app::NameFilters("dangling label only"), QStringList{"All files (*)"});
}

} // namespace
