#include "tests/support/fake_window.h"

#include "res/resource.h"

namespace {

// The modal dialog window that a script drives: its own controls, message boxes and end result.
class FakeModalWindow : public DialogWindow {
public:
    explicit FakeModalWindow(FakeWindow& owner) : owner_(owner) {}
    QString GetText(int id) override { return texts_[id]; }
    void SetText(int id, const QString& text) override { texts_[id] = text; }
    void MessageBox(const QString& text) override { owner_.MessageBox(text); }
    void EndDialog(int result) override {
        if (result_ == 0) result_ = result;
    }
    int result() const { return result_; }

private:
    FakeWindow& owner_;
    std::map<int, QString> texts_;
    int result_ = 0;
};

}  // namespace

QString FakeWindow::GetText(int id) {
    std::lock_guard<std::mutex> lock(mutex_);
    return controls_[id].text;
}

void FakeWindow::SetText(int id, const QString& text) {
    std::lock_guard<std::mutex> lock(mutex_);
    controls_[id].text = text;
}

void FakeWindow::SetInt(int id, int value) { SetText(id, QString::number(value)); }

bool FakeWindow::IsChecked(int id) {
    std::lock_guard<std::mutex> lock(mutex_);
    return controls_[id].checked;
}

void FakeWindow::SetChecked(int id, bool checked) {
    std::lock_guard<std::mutex> lock(mutex_);
    controls_[id].checked = checked;
}

void FakeWindow::Enable(int id, bool enabled) {
    std::lock_guard<std::mutex> lock(mutex_);
    controls_[id].enabled = enabled;
}

void FakeWindow::Hide(int id) {
    std::lock_guard<std::mutex> lock(mutex_);
    controls_[id].visible = false;
}

int FakeWindow::ComboCount(int id) {
    std::lock_guard<std::mutex> lock(mutex_);
    return int(controls_[id].combo.size());
}

QString FakeWindow::ComboText(int id, int index) {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto& combo = controls_[id].combo;
    return index >= 0 && index < combo.size() ? combo[index] : QString();
}

void FakeWindow::ComboInsert(int id, int index, const QString& text) {
    std::lock_guard<std::mutex> lock(mutex_);
    Control& c = controls_[id];
    if (index < 0 || index > c.combo.size()) index = int(c.combo.size());
    c.combo.insert(index, text);
    if (c.selected >= index) ++c.selected;
}

void FakeWindow::ComboDelete(int id, int index) {
    std::lock_guard<std::mutex> lock(mutex_);
    Control& c = controls_[id];
    if (index < 0 || index >= c.combo.size()) return;
    c.combo.removeAt(index);
    if (c.selected == index)
        c.selected = -1;
    else if (c.selected > index)
        --c.selected;
}

int FakeWindow::ComboSelected(int id) {
    std::lock_guard<std::mutex> lock(mutex_);
    return controls_[id].selected;
}

void FakeWindow::ListInsertColumn(int id, int column, const QString& heading, int widthPixels) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto& columns = controls_[id].columns;
    if (column < 0 || column > int(columns.size())) column = int(columns.size());
    columns.insert(columns.begin() + column, {heading, widthPixels});
}

void FakeWindow::ListInsertRow(int id, int row, const QStringList& cells) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto& rows = controls_[id].rows;
    if (row < 0 || row > int(rows.size())) row = int(rows.size());
    rows.insert(rows.begin() + row, cells);
}

void FakeWindow::ListDeleteAll(int id) {
    std::lock_guard<std::mutex> lock(mutex_);
    controls_[id].rows.clear();
}

void FakeWindow::MessageBox(const QString& text) {
    std::function<void(const QString&)> hook;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        messages_.append(text);
        hook = messageHook_;
    }
    if (hook) hook(text);
}

void FakeWindow::AppMessageBox(const QString& text) {
    std::lock_guard<std::mutex> lock(mutex_);
    appMessages_.append(text);
}

QString FakeWindow::OpenFileDialog(const QString& filter) {
    std::lock_guard<std::mutex> lock(mutex_);
    filters_.append(filter);
    if (fileAnswers_.empty()) return {};
    QString answer = fileAnswers_.front();
    fileAnswers_.pop_front();
    return answer;
}

int FakeWindow::RunModalDialog(int, DialogLogic* logic) {
    DialogScript script;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!dialogScripts_.empty()) {
            script = std::move(dialogScripts_.front());
            dialogScripts_.pop_front();
        }
    }
    FakeModalWindow window(*this);
    if (script) script(logic, window);
    // A dialog that the script left open is closed as the operator would: cancelled.
    return window.result() == 0 ? IDCANCEL : window.result();
}

void FakeWindow::OpenUrl(const QString& url) {
    std::lock_guard<std::mutex> lock(mutex_);
    urls_.append(url);
}

void FakeWindow::PostUpdateView() { ++updates_; }

FakeWindow::Control FakeWindow::control(int id) {
    std::lock_guard<std::mutex> lock(mutex_);
    return controls_[id];
}

void FakeWindow::SelectComboEntry(int id, int index) {
    std::lock_guard<std::mutex> lock(mutex_);
    controls_[id].selected = index;
}

QStringList FakeWindow::messages() {
    std::lock_guard<std::mutex> lock(mutex_);
    return messages_;
}

QStringList FakeWindow::appMessages() {
    std::lock_guard<std::mutex> lock(mutex_);
    return appMessages_;
}

QStringList FakeWindow::urls() {
    std::lock_guard<std::mutex> lock(mutex_);
    return urls_;
}

QStringList FakeWindow::fileDialogFilters() {
    std::lock_guard<std::mutex> lock(mutex_);
    return filters_;
}

void FakeWindow::NextFileDialogAnswer(const QString& path) {
    std::lock_guard<std::mutex> lock(mutex_);
    fileAnswers_.push_back(path);
}

void FakeWindow::NextDialogScript(DialogScript script) {
    std::lock_guard<std::mutex> lock(mutex_);
    dialogScripts_.push_back(std::move(script));
}

void FakeWindow::OnMessageBox(std::function<void(const QString&)> hook) {
    std::lock_guard<std::mutex> lock(mutex_);
    messageHook_ = std::move(hook);
}
