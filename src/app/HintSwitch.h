#pragma once

#include <QObject>

// The application-wide switch for hover hints (the sheets' descriptions among them): while it is
// off no tooltip shows anywhere.
class HintSwitch : public QObject {
    Q_OBJECT
public:
    static HintSwitch& instance();
    void setEnabled(bool enabled) { m_enabled = enabled; }
    bool isEnabled() const { return m_enabled; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    HintSwitch() = default;
    bool m_enabled = false;
};
