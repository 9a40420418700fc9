#pragma once

#include <QFont>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTransform>

#include <vector>

namespace kx9::test {

// A page-sized paint device that keeps every text drawn on it, with the
// point and font it was drawn with, in device pixels.
class RecordingDevice : public QPaintDevice
{
public:
    struct Drawn
    {
        QString text;
        QPointF baseline; // device pixels
        QFont font;
        QTransform transform; // logical to device
    };

    RecordingDevice(int width, int height, int dpi) : m_width(width), m_height(height), m_dpi(dpi)
    {
    }

    QPaintEngine *paintEngine() const override { return &m_engine; }
    const std::vector<Drawn> &drawn() const { return m_engine.drawn; }
    void clear() { m_engine.drawn.clear(); }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth:
            return m_width;
        case PdmHeight:
            return m_height;
        case PdmWidthMM:
        case PdmHeightMM:
            return (m == PdmWidthMM ? m_width : m_height) * 254 / (10 * m_dpi);
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(QPaintDevice::devicePixelRatioFScale());
        default: // the four resolutions
            return m_dpi;
        }
    }

private:
    class Engine : public QPaintEngine
    {
    public:
        Engine() : QPaintEngine(QPaintEngine::AllFeatures) {}
        bool begin(QPaintDevice *) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState &) override {}
        void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
        void drawTextItem(const QPointF &p, const QTextItem &item) override
        {
            const QTransform t = painter()->combinedTransform();
            drawn.push_back({item.text(), t.map(p), item.font(), t});
        }
        Type type() const override { return QPaintEngine::User; }

        std::vector<Drawn> drawn;
    };

    int m_width;
    int m_height;
    int m_dpi;
    mutable Engine m_engine;
};

} // namespace kx9::test
