#pragma once

#include <QMarginsF>
#include <QtGlobal>

enum class TLinePrinterUnit { mm, Inch };

// The page margins of a printout. Each value is kept in hundredths of its unit, as the user sees
// it, so a switch of unit rounds once to what is shown: 20 mm read in inches is 0.79, and
// switched back it is 20.07 mm, not 20.
class TLinePrinterMargins {
public:
    double Top() const { return fromHundredths(m_top); }
    double Left() const { return fromHundredths(m_left); }
    double Bottom() const { return fromHundredths(m_bottom); }
    double Right() const { return fromHundredths(m_right); }
    TLinePrinterUnit MarginUnit() const { return m_unit; }

    void SetTop(double value) { m_top = toHundredths(value); }
    void SetLeft(double value) { m_left = toHundredths(value); }
    void SetBottom(double value) { m_bottom = toHundredths(value); }
    void SetRight(double value) { m_right = toHundredths(value); }
    // Converts the four values to the new unit; the unit in force changes nothing.
    void SetMarginUnit(TLinePrinterUnit unit);

    // The four margins in inches, whatever the unit, for laying out a page.
    QMarginsF inches() const;

private:
    static qint64 toHundredths(double value);
    static double fromHundredths(qint64 hundredths) {
        return static_cast<double>(hundredths) / 100;
    }

    qint64 m_top = 2000;
    qint64 m_left = 2000;
    qint64 m_bottom = 2000;
    qint64 m_right = 2000;
    TLinePrinterUnit m_unit = TLinePrinterUnit::mm;
};
