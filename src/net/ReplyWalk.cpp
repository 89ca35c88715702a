#include "ReplyWalk.h"

#include "XmlEntities.h"

#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tvs {

namespace {

bool isAsciiSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// What the walk knows about one element name. libxml2 interns names per parse,
// so the name pointer identifies the name for the whole walk.
struct NameInfo
{
    QString name;
    bool isRow = false;
    bool isField = false;
    bool isNamed = false;
    quint64 rowSerial = 0; // the row in which this name last stored a value
    qsizetype index = 0;   // its position in that row
};

struct Frame
{
    NameInfo *info;
    bool field; // this element's text becomes a field of the open row
    bool named; // this element's text becomes a named value
};

// Elements nest at most this deep, as libxml2's own parse of a whole document
// allows; its push parser leaves the limit to its user.
constexpr size_t kMaxDepth = 256;

struct WalkState
{
    const ReplyShape *shape = nullptr;
    xmlParserCtxtPtr ctxt = nullptr;
    WalkResult result;

    std::unordered_map<const xmlChar *, NameInfo> names;
    std::vector<Frame> frames;
    std::vector<std::string> texts; // one buffer per depth, reused

    bool rowOpen = false;
    size_t rowDepth = 0;
    quint64 rowSerial = 0;
    QStringList rowNames, rowValues;
    QStringList lastNames; // of the last row: the next row that names the same shares them
    // Short texts lately read, by their bytes: what repeats from row to row (makers, models,
    // codes, states, dates) is decoded once and kept once, however many rows hold it. Texts
    // that never repeat (plates, codes) would fill it: it starts afresh when it is full.
    std::unordered_map<std::string, QString> known;

    QString firstFatal;
    QString firstError;

    QString valueOf(const std::string &text)
    {
        constexpr size_t kShort = 64;
        constexpr size_t kKnownAtMost = 4096;
        const auto clean = [&] {
            return cleanFieldText(QByteArrayView(text.data(), qsizetype(text.size())), shape->cleaning);
        };
        if (text.size() > kShort)
            return clean();
        if (const auto it = known.find(text); it != known.end())
            return it->second;
        if (known.size() == kKnownAtMost)
            known.clear();
        return known.emplace(text, clean()).first->second;
    }

    NameInfo &info(const xmlChar *localname)
    {
        auto it = names.find(localname);
        if (it != names.end())
            return it->second;
        NameInfo info;
        info.name = QString::fromUtf8(reinterpret_cast<const char *>(localname));
        info.isRow = info.name == shape->rowElement;
        info.isField = shape->rowFields.contains(info.name);
        info.isNamed = shape->namedElements.contains(info.name);
        return names.emplace(localname, std::move(info)).first->second;
    }

    void openRow(size_t depth)
    {
        if (rowOpen)
            closeRow();
        rowOpen = true;
        rowDepth = depth;
        ++rowSerial;
        rowNames.reserve(lastNames.size());
        rowValues.reserve(lastNames.size());
    }

    void closeRow()
    {
        if (rowNames == lastNames)
            rowNames = lastNames;
        else
            lastNames = rowNames;
        result.rows.append(Record(std::exchange(rowNames, {}), std::exchange(rowValues, {})));
        rowOpen = false;
    }

    void storeField(NameInfo &info, QString &&value)
    {
        if (info.rowSerial == rowSerial) {
            rowValues[info.index] = std::move(value); // a repeated field: the later value wins
            return;
        }
        info.rowSerial = rowSerial;
        info.index = rowNames.size();
        rowNames.append(info.name);
        rowValues.append(std::move(value));
    }

    void startElement(const xmlChar *localname)
    {
        const size_t depth = frames.size() + 1;
        if (depth > kMaxDepth) {
            firstFatal = QStringLiteral("line %1: excessive depth in document: %2 levels")
                             .arg(xmlSAX2GetLineNumber(ctxt))
                             .arg(kMaxDepth);
            xmlStopParser(ctxt);
            return;
        }
        NameInfo &ni = info(localname);
        if (ni.isRow)
            openRow(depth);
        Frame frame{&ni, false, ni.isNamed};
        if (rowOpen && !ni.isRow) {
            frame.field = shape->rowFields.isEmpty() ? depth == rowDepth + 1 : ni.isField;
        }
        frames.push_back(frame);
        if (texts.size() < depth)
            texts.resize(depth);
        texts[depth - 1].clear();
    }

    void characters(const xmlChar *ch, int len)
    {
        if (frames.empty() || len <= 0)
            return;
        const Frame &top = frames.back();
        if (!top.field && !top.named)
            return;
        texts[frames.size() - 1].append(reinterpret_cast<const char *>(ch), size_t(len));
    }

    void endElement()
    {
        if (frames.empty())
            return;
        const size_t depth = frames.size();
        const Frame frame = frames.back();
        frames.pop_back();
        // An element without character data (`<a />`, `<a></a>`) is present with an
        // empty value: only an element that is not there at all stores no key.
        if (frame.field || frame.named) {
            QString value = valueOf(texts[depth - 1]);
            if (frame.named)
                result.named.insert(frame.info->name, value);
            if (frame.field && rowOpen)
                storeField(*frame.info, std::move(value));
        }
        if (frame.info->isRow && rowOpen && depth == rowDepth)
            closeRow();
    }
};

WalkState *stateOf(void *ctx)
{
    return static_cast<WalkState *>(ctx);
}

void onStartElementNs(void *ctx, const xmlChar *localname, const xmlChar *, const xmlChar *, int,
                      const xmlChar **, int, int, const xmlChar **)
{
    stateOf(ctx)->startElement(localname);
}

void onEndElementNs(void *ctx, const xmlChar *, const xmlChar *, const xmlChar *)
{
    stateOf(ctx)->endElement();
}

void onCharacters(void *ctx, const xmlChar *ch, int len)
{
    stateOf(ctx)->characters(ch, len);
}

void onError(void *ctx, xmlErrorPtr error)
{
    if (!ctx || !error)
        return;
    WalkState *state = stateOf(ctx);
    QString message = QString::fromUtf8(error->message ? error->message : "unknown XML error").trimmed();
    message = QStringLiteral("line %1: %2").arg(error->line).arg(message);
    if (error->level == XML_ERR_FATAL && state->firstFatal.isEmpty())
        state->firstFatal = message;
    else if (state->firstError.isEmpty())
        state->firstError = message;
}

// libxml2 reports a few errors outside the parser's handler, through its generic channel
// (an encoding it guessed from the first bytes and then could not convert): they are
// kept as the walk's error instead of being written to stderr.
void onGenericError(void *ctx, const char *format, ...)
{
    WalkState *state = stateOf(ctx);
    if (!state || state->firstError.size() > 200)
        return;
    char piece[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(piece, sizeof piece, format, args);
    va_end(args);
    state->firstError += QString::fromUtf8(piece).simplified() + u' ';
}

void initLibxml()
{
    static std::once_flag once;
    std::call_once(once, [] { xmlInitParser(); });
}

// The UTF-8 decoder reserves a unit per byte: Korean text would keep three
// times the room it needs for as long as the rows live.
QString fitted(QString text)
{
    if (text.capacity() - text.size() > 8)
        text.squeeze();
    return text;
}

} // namespace

QString cleanFieldText(QByteArrayView utf8, Cleaning cleaning)
{
    if (cleaning == Cleaning::Trimming) {
        qsizetype begin = 0;
        qsizetype end = utf8.size();
        while (begin < end && isAsciiSpace(utf8[begin]))
            ++begin;
        while (end > begin && isAsciiSpace(utf8[end - 1]))
            --end;
        // trimmed() also takes the non-ASCII blanks (no-break space and the like).
        return fitted(QString::fromUtf8(utf8.sliced(begin, end - begin)).trimmed());
    }
    // Line feeds go first, then blank pairs from left to right over what is left,
    // so three blanks leave one.
    std::string text;
    text.reserve(size_t(utf8.size()));
    for (const char c : utf8) {
        if (c != '\n')
            text.push_back(c);
    }
    size_t out = 0;
    for (size_t i = 0; i < text.size();) {
        if (text[i] == ' ' && i + 1 < text.size() && text[i + 1] == ' ') {
            i += 2;
            continue;
        }
        text[out++] = text[i++];
    }
    return fitted(QString::fromUtf8(text.data(), qsizetype(out)));
}

namespace {

// Pieces are parsed in slices of this size, so the parser never holds more than a
// slice of unescaped text besides what it has not consumed yet.
constexpr qsizetype kSliceBytes = 64 * 1024;

// Where `bytes` can be cut without splitting a UTF-8 sequence or one of the five
// entity references: before an unfinished sequence or reference at its end.
qsizetype safeEnd(QByteArrayView bytes)
{
    qsizetype end = bytes.size();
    for (qsizetype back = 1; back <= 3 && back <= end; ++back) {
        const auto c = static_cast<unsigned char>(bytes[end - back]);
        if (c < 0x80)
            break;
        if (c >= 0xC0) {
            const qsizetype length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
            if (length > back)
                end -= back;
            break;
        }
    }
    // References hold no "&" after their first byte: only the last "&" can begin one.
    for (qsizetype back = 1; back <= 5 && back <= end; ++back) {
        if (bytes[end - back] != '&')
            continue;
        const QByteArrayView tail = bytes.sliced(end - back, back);
        for (const char *reference : {"&lt;", "&gt;", "&amp;", "&quot;", "&apos;"}) {
            const QByteArrayView whole(reference);
            if (tail.size() < whole.size() && whole.startsWith(tail)) {
                end -= back;
                break;
            }
        }
        break;
    }
    return end;
}

} // namespace

struct ReplyWalker::Parse
{
    ReplyShape shape;
    WalkState state;
    xmlSAXHandler handler;
    xmlParserCtxtPtr ctxt = nullptr;
    QByteArray carry;       // an unfinished character or reference, waiting for the next piece
    qsizetype received = 0; // body bytes fed so far
    qsizetype badUtf8At = -1;
    bool noParser = false;

    ~Parse()
    {
        if (!ctxt)
            return;
        // A reply that declares entities gets a document of the parser's own to hold
        // them; the parser frees it only when it reaches the end of a whole reply.
        if (ctxt->myDoc) {
            xmlFreeDoc(ctxt->myDoc);
            ctxt->myDoc = nullptr;
        }
        xmlFreeParserCtxt(ctxt);
    }

    // Checks and parses `bytes`, which end at a safe place; false once the body is not UTF-8.
    bool take(QByteArrayView bytes, qsizetype offset)
    {
        qsizetype bad = 0;
        if (!isValidUtf8(bytes, &bad)) {
            badUtf8At = offset + bad;
            return false;
        }
        const QByteArray text = unescapeXmlEntitiesUtf8(bytes);
        parse(text.constData(), int(text.size()), false);
        return true;
    }

    void parse(const char *data, int size, bool last)
    {
        if (noParser)
            return;
        if (!ctxt) {
            initLibxml();
            ctxt = xmlCreatePushParserCtxt(&handler, &state, nullptr, 0, nullptr);
            if (!ctxt) {
                noParser = true;
                return;
            }
            state.ctxt = ctxt;
            // The body is checked as UTF-8 piece by piece; a declaration claiming otherwise
            // is ignored. No network, no DTD loading, no entity expansion.
            xmlCtxtUseOptions(ctxt, XML_PARSE_NONET | XML_PARSE_IGNORE_ENC);
        }
        if (ctxt->instate == XML_PARSER_EOF || ctxt->disableSAX)
            return;                                     // stopped at an error: nothing after it is kept
        xmlSetGenericErrorFunc(&state, onGenericError); // for this thread only
        xmlParseChunk(ctxt, data, size, last ? 1 : 0);
        xmlSetGenericErrorFunc(nullptr, nullptr);
    }
};

ReplyWalker::ReplyWalker(const ReplyShape &shape) : d(std::make_unique<Parse>())
{
    d->shape = shape;
    d->state.shape = &d->shape;
    std::memset(&d->handler, 0, sizeof d->handler);
    d->handler.initialized = XML_SAX2_MAGIC;
    d->handler.startElementNs = onStartElementNs;
    d->handler.endElementNs = onEndElementNs;
    d->handler.characters = onCharacters;
    d->handler.cdataBlock = onCharacters;
    d->handler.ignorableWhitespace = onCharacters;
    d->handler.serror = onError;
}

ReplyWalker::~ReplyWalker() = default;

const Records &ReplyWalker::rows() const
{
    return d->state.result.rows;
}

void ReplyWalker::feed(QByteArrayView piece)
{
    d->received += piece.size();
    if (d->badUtf8At >= 0)
        return;
    QByteArray joined;
    QByteArrayView bytes = piece;
    if (!d->carry.isEmpty()) {
        joined = d->carry + piece.toByteArray();
        bytes = joined;
    }
    const qsizetype start = d->received - bytes.size();
    qsizetype done = 0;
    while (done < bytes.size()) {
        const QByteArrayView slice = bytes.sliced(done, std::min(kSliceBytes, bytes.size() - done));
        const qsizetype end = safeEnd(slice);
        if (end == 0)
            break;
        if (!d->take(slice.first(end), start + done))
            return;
        done += end;
    }
    d->carry = bytes.sliced(done).toByteArray();
}

WalkResult ReplyWalker::finish()
{
    WalkState &state = d->state;
    if (d->badUtf8At < 0 && !d->carry.isEmpty()) {
        const QByteArray rest = std::exchange(d->carry, {});
        d->take(rest, d->received - rest.size());
    }
    if (d->badUtf8At >= 0) {
        WalkResult bad;
        bad.complete = false;
        bad.invalidUtf8 = true;
        bad.error = QStringLiteral("reply is not valid UTF-8 (bad byte at offset %1 of %2)")
                        .arg(d->badUtf8At)
                        .arg(d->received);
        return bad;
    }
    if (d->received == 0) {
        state.result.complete = false;
        state.result.error = QStringLiteral("reply is empty");
        return std::move(state.result);
    }
    d->parse(nullptr, 0, true);
    if (d->noParser) {
        state.result.complete = false;
        state.result.error = QStringLiteral("could not create the XML parser");
        return std::move(state.result);
    }
    if (!d->ctxt->wellFormed || !state.firstFatal.isEmpty()) {
        state.result.complete = false;
        state.result.error = (state.firstFatal.isEmpty() ? state.firstError : state.firstFatal).trimmed();
        if (state.result.error.isEmpty())
            state.result.error = QStringLiteral("reply is not well-formed XML");
        // The open row may have been cut anywhere: only finished rows are delivered.
        state.rowNames = {};
        state.rowValues = {};
        state.rowOpen = false;
    } else if (state.rowOpen) {
        state.closeRow();
    }
    return std::move(state.result);
}

WalkResult walkReply(const QByteArray &body, const ReplyShape &shape)
{
    ReplyWalker walker(shape);
    walker.feed(body);
    return walker.finish();
}

} // namespace tvs
