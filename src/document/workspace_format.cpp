#include "document/workspace_format.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <tuple>

namespace {

using Kind = DataRecipe::StepKind;
const QString kVersionKey = QStringLiteral("locuscopeWorkspace");
constexpr double kLargestWholeNumber =
    9007199254740992.0;  // 2^53: every whole number below is exact
constexpr int kNanoseconds = 1000000000;
constexpr int kMaximumTrackHeight = 3000;
constexpr int kMaximumPointHalf = 10000;

struct OptionName {
    bool ViewOptions::*option;
    const char* key;
};
constexpr OptionName kOptionNames[] = {
    {&ViewOptions::ShowLoadedFiles, "loadedFiles"},
    {&ViewOptions::ShowTrackStats, "trackStatistics"},
    {&ViewOptions::ShowPointerInfo, "pointerInfo"},
    {&ViewOptions::ShowGridLinesHoriz, "gridLines"},
    {&ViewOptions::ShowTransparentDataBorder, "dataBorder"},
    {&ViewOptions::ShowManualScaleOverlay, "manualScaleIndicator"},
    {&ViewOptions::ShowFeatureNames, "featureNames"},
    {&ViewOptions::ShowGeneModels, "geneModels"},
};
const char* const kStyleNames[] = {"automatic", "points", "bars"};  // styles 1, 2, 3

QString StyleName(int style) {
    return QString::fromLatin1(kStyleNames[style >= 1 && style <= 3 ? style - 1 : 0]);
}

// --- Writing ------------------------------------------------------------------------------

QJsonValue Text(const std::string& bytes) {
    const QByteArray raw(bytes.data(), static_cast<qsizetype>(bytes.size()));
    const QString text = QString::fromUtf8(raw);
    if (text.toUtf8() == raw)
        return text;
    return QJsonObject{{QStringLiteral("bytes"), QString::fromLatin1(raw.toBase64())}};
}

QJsonArray Texts(const std::vector<std::string>& list) {
    QJsonArray array;
    for (const std::string& entry : list)
        array.append(Text(entry));
    return array;
}

QJsonValue Bound(double value) {
    if (std::isnan(value))
        return QStringLiteral("nan");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
    return value;
}

QJsonArray Pair(Range range) {
    return {double(range.first), double(range.second)};
}

QString Color(int color) {
    if (color < 0)
        return QStringLiteral("none");
    // 0x00BBGGRR to #rrggbb.
    return QString::asprintf("#%02x%02x%02x", color & 0xFF, (color >> 8) & 0xFF,
                             (color >> 16) & 0xFF);
}

QString Modified(int64_t nanoseconds) {
    return QString::asprintf("%lld.%09lld", static_cast<long long>(nanoseconds / kNanoseconds),
                             static_cast<long long>(nanoseconds % kNanoseconds));
}

QJsonObject Look(const Workspace::TrackLook& look) {
    const TrackDisplaySettings& s = look.settings;
    QJsonObject object{{QStringLiteral("name"), Text(look.trackName)}};
    if (!look.paneName.empty())
        object.insert(QStringLiteral("pane"), Text(look.paneName));
    object.insert(QStringLiteral("color"), Color(s.TrackColor));
    object.insert(QStringLiteral("height"), s.TrackHeight);
    object.insert(QStringLiteral("style"), StyleName(s.TrackStyle));
    object.insert(QStringLiteral("autoScale"), s.AutoScale);
    object.insert(QStringLiteral("scale"), look.dataScale
                                               ? QJsonValue(QStringLiteral("data"))
                                               : QJsonArray{Bound(s.ScaleMin), Bound(s.ScaleMax)});
    object.insert(QStringLiteral("pointWidth"), QJsonArray{s.PointWidthLeft, s.PointWidthRight});
    object.insert(QStringLiteral("pointHeight"), QJsonArray{s.PointHeightTop, s.PointHeightBottom});
    if (look.rememberedColor)
        object.insert(QStringLiteral("rememberedColor"), Color(*look.rememberedColor));
    return object;
}

QJsonObject Step(const Workspace::Step& step) {
    if (step.kind == Kind::kDeleteTracks)
        return {{QStringLiteral("deleteTracks"), Texts(step.names)}};
    if (step.kind == Kind::kDeletePane)
        return {{QStringLiteral("deletePane"), Text(step.names.empty() ? "" : step.names[0])}};
    QJsonArray files;
    for (const Workspace::File& file : step.files) {
        files.append(QJsonObject{{QStringLiteral("path"), Text(file.relativePath)},
                                 {QStringLiteral("absolutePath"), Text(file.absolutePath)},
                                 {QStringLiteral("size"), double(file.size)},
                                 {QStringLiteral("modified"), Modified(file.modified)}});
    }
    return {{QStringLiteral("import"), files}};
}

QJsonObject Display(const Workspace& workspace) {
    QJsonObject display{
        {QStringLiteral("header"), workspace.headerVisible},
        {QStringLiteral("defaultStyle"), StyleName(workspace.defaultTrackStyle == 2 ? 2 : 3)}};
    if (workspace.viewOptions) {
        for (const OptionName& entry : kOptionNames)
            display.insert(QString::fromLatin1(entry.key), (*workspace.viewOptions).*entry.option);
    }
    return display;
}

// --- Reading ------------------------------------------------------------------------------

// Reads values, keeping the first problem with the place it was found at. A value that is
// absent (undefined) is no problem: the caller keeps its default.
class Reader {
public:
    std::string problem;

    bool Ok() const { return problem.empty(); }
    void Fail(const std::string& where, const std::string& what) {
        if (problem.empty())
            problem = where + " " + what;
    }

    bool Text(const QJsonValue& value, const std::string& where, std::string& out) {
        if (value.isString()) {
            out = value.toString().toUtf8().toStdString();
            return true;
        }
        const QJsonValue bytes = value.toObject().value(QStringLiteral("bytes"));
        if (bytes.isString()) {
            out = QByteArray::fromBase64(bytes.toString().toLatin1()).toStdString();
            return true;
        }
        if (!value.isUndefined())
            Fail(where, "is not text");
        return false;
    }
    bool Texts(const QJsonValue& value, const std::string& where, std::vector<std::string>& out) {
        const QJsonArray array = Array(value, where);
        out.clear();
        for (int i = 0; i < array.size(); ++i) {
            std::string text;
            if (!Text(array[i], Index(where, i), text))
                Fail(Index(where, i), "is not text");
            out.push_back(std::move(text));
        }
        return Ok();
    }
    bool Whole(const QJsonValue& value, const std::string& where, double low, double high,
               double& out) {
        if (value.isUndefined())
            return false;
        const double number = value.toDouble(std::nan(""));
        if (!value.isDouble() || number != std::floor(number) || number < low || number > high) {
            Fail(where, "is not a whole number from " + Number(low) + " to " + Number(high));
            return false;
        }
        out = number;
        return true;
    }
    template <typename Int>
    void Integer(const QJsonValue& value, const std::string& where, double low, double high,
                 Int& out) {
        double number = 0;
        if (Whole(value, where, low, high, number))
            out = static_cast<Int>(number);
    }
    void Bool(const QJsonValue& value, const std::string& where, bool& out) {
        if (value.isBool())
            out = value.toBool();
        else if (!value.isUndefined())
            Fail(where, "is not true or false");
    }
    bool Bound(const QJsonValue& value, const std::string& where, double& out) {
        const QString text = value.toString();
        if (value.isDouble())
            out = value.toDouble();
        else if (text == QStringLiteral("inf") || text == QStringLiteral("-inf") ||
                 text == QStringLiteral("nan"))
            out = std::strtod(text.toLatin1().constData(), nullptr);
        else
            Fail(where, "is not a number");
        return Ok();
    }
    bool Pair(const QJsonValue& value, const std::string& where, Range& out) {
        const QJsonArray array = Array(value, where);
        if (!Ok())
            return false;
        if (array.size() != 2) {
            Fail(where, "is not a pair of positions");
            return false;
        }
        Integer(array[0], Index(where, 0), 0, 4294967295.0, out.first);
        Integer(array[1], Index(where, 1), 0, 4294967295.0, out.second);
        return Ok();
    }
    void Color(const QJsonValue& value, const std::string& where, int& out) {
        const QString text = value.toString();
        bool ok =
            text.size() == 7 && text.startsWith(QLatin1Char('#')) && text[1].isLetterOrNumber();
        const int rgb = ok ? static_cast<int>(text.mid(1).toUInt(&ok, 16)) : 0;
        if (ok)
            out = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
        else if (text == QStringLiteral("none"))
            out = -1;
        else if (!value.isUndefined())
            Fail(where, "is not a colour (#rrggbb)");
    }
    void Style(const QJsonValue& value, const std::string& where, int first, int& out) {
        for (int style = first; style <= 3; ++style) {
            if (value.toString() == QLatin1String(kStyleNames[style - 1])) {
                out = style;
                return;
            }
        }
        if (!value.isUndefined())
            Fail(where, first == 1 ? "is not automatic, points or bars" : "is not points or bars");
    }
    QJsonArray Array(const QJsonValue& value, const std::string& where) {
        if (!value.isArray() && !value.isUndefined())
            Fail(where, "is not a list");
        return value.toArray();
    }
    QJsonObject Object(const QJsonValue& value, const std::string& where) {
        if (!value.isObject() && !value.isUndefined())
            Fail(where, "is not an object");
        return value.toObject();
    }

    static std::string Index(const std::string& where, int i) {
        return where + "[" + std::to_string(i) + "]";
    }
    static std::string Field(const std::string& where, const char* key) {
        return where.empty() ? std::string(key) : where + "." + key;
    }

private:
    static std::string Number(double value) {
        char text[32];
        std::snprintf(text, sizeof(text), "%.0f", value);
        return text;
    }
};

QJsonValue At(const QJsonObject& object, const char* key) {
    return object.value(QLatin1String(key));
}

void ReadModified(Reader& reader, const QJsonValue& value, const std::string& where, int64_t& out) {
    if (value.isUndefined())
        return;
    const QStringList parts = value.toString().split(QLatin1Char('.'));
    bool secondsOk = false;
    bool fractionOk = false;
    const qlonglong seconds = parts.value(0).toLongLong(&secondsOk);
    const qlonglong fraction = parts.value(1).toLongLong(&fractionOk);
    if (parts.size() != 2 || parts[1].size() != 9 || !secondsOk || !fractionOk || seconds < 0 ||
        fraction < 0 || seconds > 9000000000LL) {
        reader.Fail(where, "is not a time as SECONDS.NANOSECONDS");
        return;
    }
    out = seconds * kNanoseconds + fraction;
}

void ReadStep(Reader& reader, const QJsonObject& object, const std::string& where,
              Workspace::Step& step) {
    if (object.contains(QStringLiteral("deleteTracks"))) {
        step.kind = Kind::kDeleteTracks;
        reader.Texts(At(object, "deleteTracks"), Reader::Field(where, "deleteTracks"), step.names);
        return;
    }
    if (object.contains(QStringLiteral("deletePane"))) {
        step.kind = Kind::kDeletePane;
        step.names.resize(1);
        if (!reader.Text(At(object, "deletePane"), Reader::Field(where, "deletePane"),
                         step.names[0]))
            reader.Fail(Reader::Field(where, "deletePane"), "is not text");
        return;
    }
    const std::string listWhere = Reader::Field(where, "import");
    if (!object.contains(QStringLiteral("import"))) {
        reader.Fail(where, "is none of import, deleteTracks and deletePane");
        return;
    }
    const QJsonArray files = reader.Array(At(object, "import"), listWhere);
    for (int i = 0; i < files.size() && reader.Ok(); ++i) {
        const std::string fileWhere = Reader::Index(listWhere, i);
        const QJsonObject entry = reader.Object(files[i], fileWhere);
        Workspace::File file;
        reader.Text(At(entry, "path"), Reader::Field(fileWhere, "path"), file.relativePath);
        reader.Text(At(entry, "absolutePath"), Reader::Field(fileWhere, "absolutePath"),
                    file.absolutePath);
        if (file.relativePath.empty() && file.absolutePath.empty())
            reader.Fail(fileWhere, "names no file (path or absolutePath)");
        reader.Integer(At(entry, "size"), Reader::Field(fileWhere, "size"), 0, kLargestWholeNumber,
                       file.size);
        ReadModified(reader, At(entry, "modified"), Reader::Field(fileWhere, "modified"),
                     file.modified);
        step.files.push_back(std::move(file));
    }
}

void ReadLook(Reader& reader, const QJsonObject& object, const std::string& where,
              Workspace::TrackLook& look) {
    TrackDisplaySettings& s = look.settings;
    if (!reader.Text(At(object, "name"), Reader::Field(where, "name"), look.trackName))
        reader.Fail(Reader::Field(where, "name"), "is missing");
    reader.Text(At(object, "pane"), Reader::Field(where, "pane"), look.paneName);
    reader.Color(At(object, "color"), Reader::Field(where, "color"), s.TrackColor);
    reader.Integer(At(object, "height"), Reader::Field(where, "height"), 0, kMaximumTrackHeight,
                   s.TrackHeight);
    reader.Style(At(object, "style"), Reader::Field(where, "style"), 1, s.TrackStyle);
    reader.Bool(At(object, "autoScale"), Reader::Field(where, "autoScale"), s.AutoScale);
    const QJsonValue scale = At(object, "scale");
    const std::string scaleWhere = Reader::Field(where, "scale");
    look.dataScale = scale.isUndefined() || scale.toString() == QStringLiteral("data");
    if (!look.dataScale) {
        const QJsonArray bounds = reader.Array(scale, scaleWhere);
        if (bounds.size() != 2)
            reader.Fail(scaleWhere, "is not \"data\" or a pair of numbers");
        else if (reader.Bound(bounds[0], Reader::Index(scaleWhere, 0), s.ScaleMin))
            reader.Bound(bounds[1], Reader::Index(scaleWhere, 1), s.ScaleMax);
    }
    for (const auto& [key, first, second] :
         {std::make_tuple("pointWidth", &s.PointWidthLeft, &s.PointWidthRight),
          std::make_tuple("pointHeight", &s.PointHeightTop, &s.PointHeightBottom)}) {
        const std::string pairWhere = Reader::Field(where, key);
        const QJsonArray halves = reader.Array(At(object, key), pairWhere);
        if (At(object, key).isUndefined())
            continue;
        if (halves.size() != 2) {
            reader.Fail(pairWhere, "is not a pair of whole numbers");
            continue;
        }
        reader.Integer(halves[0], Reader::Index(pairWhere, 0), 0, kMaximumPointHalf, *first);
        reader.Integer(halves[1], Reader::Index(pairWhere, 1), 0, kMaximumPointHalf, *second);
    }
    if (object.contains(QStringLiteral("rememberedColor"))) {
        int color = -1;
        reader.Color(At(object, "rememberedColor"), Reader::Field(where, "rememberedColor"), color);
        if (color >= 0)
            look.rememberedColor = color;
    }
}

template <typename Entry, typename ReadEntry>
void ReadList(Reader& reader, const QJsonObject& root, const char* key, std::vector<Entry>& out,
              ReadEntry readEntry) {
    const QJsonArray array = reader.Array(At(root, key), key);
    for (int i = 0; i < array.size() && reader.Ok(); ++i) {
        const std::string where = Reader::Index(key, i);
        Entry entry;
        readEntry(reader.Object(array[i], where), where, entry);
        out.push_back(std::move(entry));
    }
}

void ReadDisplay(Reader& reader, const QJsonObject& display, Workspace& workspace) {
    reader.Bool(At(display, "header"), "display.header", workspace.headerVisible);
    reader.Style(At(display, "defaultStyle"), "display.defaultStyle", 2,
                 workspace.defaultTrackStyle);
    for (const OptionName& entry : kOptionNames) {
        if (!display.contains(QLatin1String(entry.key)))
            continue;
        if (!workspace.viewOptions)
            workspace.viewOptions = ViewOptions();
        reader.Bool(At(display, entry.key), std::string("display.") + entry.key,
                    (*workspace.viewOptions).*entry.option);
    }
}

void ReadState(Reader& reader, const QJsonObject& root, Workspace& workspace) {
    const QString order = At(root, "paneOrder").toString();
    if (order == QStringLiteral("firstSeen"))
        workspace.sortOrder = 0;
    else if (order != QStringLiteral("alphanumeric") && root.contains(QStringLiteral("paneOrder")))
        reader.Fail("paneOrder", "is not alphanumeric or firstSeen");
    reader.Texts(At(root, "trackOrder"), "trackOrder", workspace.trackOrder);
    const auto look = [&reader](const QJsonObject& object, const std::string& where,
                                Workspace::TrackLook& entry) {
        ReadLook(reader, object, where, entry);
    };
    ReadList(reader, root, "tracks", workspace.tracks, look);
    ReadList(reader, root, "trackExceptions", workspace.exceptions, look);
    ReadList(reader, root, "paneRanges", workspace.paneRanges,
             [&reader](const QJsonObject& object, const std::string& where,
                       Workspace::PaneRange& entry) {
                 reader.Text(At(object, "pane"), Reader::Field(where, "pane"), entry.paneName);
                 reader.Pair(At(object, "range"), Reader::Field(where, "range"), entry.range);
             });
    reader.Text(At(root, "currentPane"), "currentPane", workspace.currentPane);
    ReadList(
        reader, root, "cursors", workspace.cursors,
        [&reader](const QJsonObject& object, const std::string& where, Workspace::Cursor& entry) {
            reader.Text(At(object, "pane"), Reader::Field(where, "pane"), entry.paneName);
            std::string track;
            if (reader.Text(At(object, "track"), Reader::Field(where, "track"), track))
                entry.trackName = track;
            double item = 0;
            if (reader.Whole(At(object, "item"), Reader::Field(where, "item"), -1, 2147483647.0,
                             item))
                entry.item = static_cast<int>(item);
        });
    reader.Texts(At(root, "selectedTracks"), "selectedTracks", workspace.selectedTracks);
    ReadList(reader, root, "regionSelection", workspace.regionSelection,
             [&reader](const QJsonObject& object, const std::string& where,
                       Workspace::PaneSelection& entry) {
                 reader.Text(At(object, "pane"), Reader::Field(where, "pane"), entry.paneName);
                 const std::string rangesWhere = Reader::Field(where, "ranges");
                 const QJsonArray ranges = reader.Array(At(object, "ranges"), rangesWhere);
                 for (int i = 0; i < ranges.size() && reader.Ok(); ++i) {
                     Range range;
                     if (reader.Pair(ranges[i], Reader::Index(rangesWhere, i), range))
                         entry.ranges.push_back(range);
                 }
             });
    ReadDisplay(reader, reader.Object(At(root, "display"), "display"), workspace);
}

}  // namespace

QByteArray WorkspaceFormat::Write(const Workspace& workspace) {
    QJsonArray steps;
    for (const Workspace::Step& step : workspace.steps)
        steps.append(Step(step));
    QJsonArray tracks;
    for (const Workspace::TrackLook& look : workspace.tracks)
        tracks.append(Look(look));
    QJsonArray exceptions;
    for (const Workspace::TrackLook& look : workspace.exceptions)
        exceptions.append(Look(look));
    QJsonArray ranges;
    for (const Workspace::PaneRange& entry : workspace.paneRanges)
        ranges.append(QJsonObject{{QStringLiteral("pane"), Text(entry.paneName)},
                                  {QStringLiteral("range"), Pair(entry.range)}});
    QJsonArray cursors;
    for (const Workspace::Cursor& cursor : workspace.cursors) {
        QJsonObject entry{{QStringLiteral("pane"), Text(cursor.paneName)}};
        if (cursor.trackName)
            entry.insert(QStringLiteral("track"), Text(*cursor.trackName));
        if (cursor.item)
            entry.insert(QStringLiteral("item"), *cursor.item);
        cursors.append(entry);
    }
    QJsonArray selection;
    for (const Workspace::PaneSelection& entry : workspace.regionSelection) {
        QJsonArray pairs;
        for (const auto& range : entry.ranges)
            pairs.append(Pair(range));
        selection.append(QJsonObject{{QStringLiteral("pane"), Text(entry.paneName)},
                                     {QStringLiteral("ranges"), pairs}});
    }
    const QJsonObject root{
        {kVersionKey, kVersion},
        {QStringLiteral("steps"), steps},
        {QStringLiteral("paneOrder"),
         workspace.sortOrder == 1 ? QStringLiteral("alphanumeric") : QStringLiteral("firstSeen")},
        {QStringLiteral("trackOrder"), Texts(workspace.trackOrder)},
        {QStringLiteral("tracks"), tracks},
        {QStringLiteral("trackExceptions"), exceptions},
        {QStringLiteral("paneRanges"), ranges},
        {QStringLiteral("currentPane"), Text(workspace.currentPane)},
        {QStringLiteral("cursors"), cursors},
        {QStringLiteral("selectedTracks"), Texts(workspace.selectedTracks)},
        {QStringLiteral("regionSelection"), selection},
        {QStringLiteral("display"), Display(workspace)},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool WorkspaceFormat::Read(const QByteArray& bytes, Workspace& workspace, std::string& problem) {
    workspace = Workspace();
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        problem = "not a workspace file (" + error.errorString().toStdString() + " at byte " +
                  std::to_string(error.offset) + ")";
        return false;
    }
    const QJsonObject root = document.object();
    const QJsonValue version = root.value(kVersionKey);
    if (!version.isDouble() || version.toDouble() < 1) {
        problem = "not a Locuscope workspace";
        return false;
    }
    if (version.toDouble() > kVersion) {
        problem = "made by a later version of Locuscope (workspace version " +
                  std::to_string(version.toInt()) + ")";
        return false;
    }
    Reader reader;
    const QJsonArray steps = reader.Array(root.value(QStringLiteral("steps")), "steps");
    for (int i = 0; i < steps.size() && reader.Ok(); ++i) {
        const std::string where = Reader::Index("steps", i);
        Workspace::Step step;
        ReadStep(reader, reader.Object(steps[i], where), where, step);
        workspace.steps.push_back(std::move(step));
    }
    if (reader.Ok())
        ReadState(reader, root, workspace);
    problem = reader.problem;
    return reader.Ok();
}
