// TVelParamInfo: one line of the parameter prompt shown before a preview or print: a
// heading (no control, no parameter) or a parameter with the control that edits it.
// The prompt window supplies the controls through a factory; without one, lines get
// controls that only hold their value (for runs without windows, and for tests).
#pragma once

#include "core/component.h"
#include "data/field_types.h"

#include <QDateTime>
#include <QPointer>

#include <functional>
#include <memory>

class TParam;

class IVelParamControl {
public:
    enum class Kind { CheckBox, DateTimePicker, Edit };
    // The control that edits a parameter of the type: a check box, a date picker, or an edit.
    static Kind kindFor(TFieldType type);

    virtual ~IVelParamControl() = default;
    virtual Kind kind() const = 0;
    virtual QString text() const = 0;
    virtual void setText(const QString& text) = 0;
    virtual bool checked() const = 0;
    virtual void setChecked(bool checked) = 0;
    virtual QDateTime dateTime() const = 0;
    virtual void setDateTime(const QDateTime& dateTime) = 0;
};

// A control that holds its value and shows nothing.
class TVelParamValueControl : public IVelParamControl {
public:
    explicit TVelParamValueControl(Kind kind) : m_kind(kind) {}
    Kind kind() const override { return m_kind; }
    QString text() const override { return m_text; }
    void setText(const QString& text) override { m_text = text; }
    bool checked() const override { return m_checked; }
    void setChecked(bool checked) override { m_checked = checked; }
    QDateTime dateTime() const override { return m_dateTime; }
    void setDateTime(const QDateTime& dateTime) override { m_dateTime = dateTime; }

private:
    Kind m_kind;
    QString m_text;
    bool m_checked = false;
    QDateTime m_dateTime;
};

using TVelParamControlFactory = std::function<std::unique_ptr<IVelParamControl>(IVelParamControl::Kind, TComponent* owner)>;

class TVelParamInfo : public TComponent {
    Q_OBJECT
public:
    using Handler = std::function<void(TVelParamInfo& line)>;

    explicit TVelParamInfo(TComponent* owner = nullptr);
    ~TVelParamInfo() override;

    IVelParamControl* control() const { return m_control.get(); }
    void setControl(std::unique_ptr<IVelParamControl> control) { m_control = std::move(control); }
    TParam* param() const { return m_param; }
    void setParam(TParam* param) { m_param = param; }
    QString caption() const { return m_caption; }
    // The prompt window shows the caption as a label left of the control.
    void setCaption(const QString& text) { m_caption = text; }
    bool isHeading() const { return !m_control; }

    void setOnLoadValue(Handler handler) { m_onLoadValue = std::move(handler); }
    void setOnStoreValue(Handler handler) { m_onStoreValue = std::move(handler); }
    virtual void loadValue();
    virtual void storeValue();

    // The factory the prompt window installs; an empty one restores the value controls.
    static void setControlFactory(TVelParamControlFactory factory);
    static std::unique_ptr<IVelParamControl> createControl(IVelParamControl::Kind kind, TComponent* owner);

private:
    std::unique_ptr<IVelParamControl> m_control;
    QPointer<TParam> m_param;
    QString m_caption;
    Handler m_onLoadValue;
    Handler m_onStoreValue;
};

// The prompt window's list of lines; clearing it frees the lines.
class TVelParamInfoList {
public:
    TVelParamInfoList() = default;
    TVelParamInfoList(const TVelParamInfoList&) = delete;
    TVelParamInfoList& operator=(const TVelParamInfoList&) = delete;
    ~TVelParamInfoList() { clear(); }

    void append(TVelParamInfo* line) { m_lines.append(line); }
    int count() const { return int(m_lines.size()); }
    TVelParamInfo* at(int index) const { return m_lines.value(index); }
    const QList<TVelParamInfo*>& lines() const { return m_lines; }
    void clear();

private:
    QList<TVelParamInfo*> m_lines;
};

namespace paramvalues {

// Copies a parameter's value into a line's control (a null parameter: the picker shows
// now, the check box is clear, the edit is empty). Failures beep and change nothing.
void load(TVelParamInfo& line);
// Copies the control's value into the parameter by its data type; a text that is no
// value of the type raises EVelError.
void store(TVelParamInfo& line);

} // namespace paramvalues
