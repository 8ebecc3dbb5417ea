// The compiler of the card pile expressions: splits the text into tokens,
// parses it (`not` binds tightest, then `and`, then `or`) and lowers each
// comparison to a test of one number of the row wherever the literal allows,
// giving the program Expression::matches runs (expression.cpp).
#include "surface/expression.h"

#include <algorithm>
#include <exception>
#include <limits>
#include <vector>

#include "model/catalogue.h"
#include "surface/card_list.h"
#include "surface/expression_program.h"

namespace tav {

using namespace detail;

namespace {

// Deeper nesting than this is no expression the game writes; refusing it
// keeps the parser's recursion bounded whatever text arrives.
constexpr int kMaxDepth = 100;

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_word_char(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || is_digit(c) || c == '_'; }

// `3 < sort` is `sort > 3`.
Op mirrored(Op op) {
    switch (op) {
        case Op::lt: return Op::gt;
        case Op::le: return Op::ge;
        case Op::gt: return Op::lt;
        case Op::ge: return Op::le;
        default: return op;
    }
}

Expression::Node constant(bool value) {
    Expression::Node n;
    n.kind = Kind::constant;
    n.lo = value ? 1 : 0;
    return n;
}

// `x op c` as a range test on x.
Expression::Node number_test(Kind kind, Op op, int c) {
    constexpr int kMin = std::numeric_limits<int>::min();
    constexpr int kMax = std::numeric_limits<int>::max();
    int lo = kMin, hi = kMax;
    Expression::Node n;
    switch (op) {
        case Op::eq: lo = hi = c; break;
        case Op::ne:
            lo = hi = c;
            n.invert = true;
            break;
        case Op::lt:
            if (c == kMin) return constant(false);
            hi = c - 1;
            break;
        case Op::le: hi = c; break;
        case Op::gt:
            if (c == kMax) return constant(false);
            lo = c + 1;
            break;
        case Op::ge: lo = c; break;
    }
    n.kind = kind;
    n.lo = lo;
    n.span = static_cast<std::uint32_t>(hi) - static_cast<std::uint32_t>(lo);
    return n;
}

}  // namespace

struct ExpressionParser {
    enum class Tok { end, word, text, number, op, lparen, rparen, bad };

    std::string_view src;
    std::size_t pos = 0;
    std::string error;
    std::vector<Expression::Node> out;
    bool uses_howhand = false;

    // The current token.
    Tok tok = Tok::end;
    std::string_view tok_text;
    int tok_number = 0;
    Op tok_op = Op::eq;

    bool fail(std::string message) {
        if (error.empty()) error = std::move(message) + " at offset " + std::to_string(pos);
        return false;
    }

    bool next() {
        while (pos < src.size() && is_blank(src[pos])) ++pos;
        if (pos >= src.size()) {
            tok = Tok::end;
            return true;
        }
        const std::size_t start = pos;
        const char c = src[pos];
        if (c == '\'' || c == '"') {
            const std::size_t close = src.find(c, pos + 1);
            if (close == std::string_view::npos) {
                tok = Tok::bad;
                return fail("unclosed quote");
            }
            tok = Tok::text;
            tok_text = src.substr(pos + 1, close - pos - 1);
            pos = close + 1;
            return true;
        }
        if (is_digit(c) || (c == '-' && pos + 1 < src.size() && is_digit(src[pos + 1]))) {
            ++pos;
            while (pos < src.size() && is_digit(src[pos])) ++pos;
            const auto n = whole_number(src.substr(start, pos - start));
            if (!n) {
                tok = Tok::bad;
                return fail("number out of range");
            }
            tok = Tok::number;
            tok_number = *n;
            return true;
        }
        if (is_word_char(c)) {
            while (pos < src.size() && is_word_char(src[pos])) ++pos;
            tok = Tok::word;
            tok_text = src.substr(start, pos - start);
            return true;
        }
        ++pos;
        const char d = pos < src.size() ? src[pos] : '\0';
        tok = Tok::op;
        switch (c) {
            case '(': tok = Tok::lparen; return true;
            case ')': tok = Tok::rparen; return true;
            case '=': tok_op = Op::eq; return true;
            case '!':
                if (d == '=') {
                    ++pos;
                    tok_op = Op::ne;
                    return true;
                }
                break;
            case '<':
                if (d == '>' || d == '=') ++pos;
                tok_op = d == '>' ? Op::ne : d == '=' ? Op::le : Op::lt;
                return true;
            case '>':
                if (d == '=') ++pos;
                tok_op = d == '=' ? Op::ge : Op::gt;
                return true;
            default: break;
        }
        pos = start;
        tok = Tok::bad;
        return fail("unexpected character");
    }

    bool keyword(std::string_view word) const { return tok == Tok::word && same_word(tok_text, word); }

    int emit(Kind kind) {
        Expression::Node n;
        n.kind = kind;
        out.push_back(std::move(n));
        return static_cast<int>(out.size()) - 1;
    }

    // expr := and_expr ('or' and_expr)*   and_expr := unary ('and' unary)*
    bool parse_chain(int depth, bool is_or) {
        std::vector<int> jumps;
        if (!(is_or ? parse_chain(depth, false) : parse_unary(depth))) return false;
        while (keyword(is_or ? "or" : "and")) {
            jumps.push_back(emit(is_or ? Kind::jump_true : Kind::jump_false));
            if (!next()) return false;
            if (!(is_or ? parse_chain(depth, false) : parse_unary(depth))) return false;
        }
        for (const int j : jumps) out[static_cast<std::size_t>(j)].lo = static_cast<int>(out.size());
        return true;
    }

    bool parse_unary(int depth) {
        if (depth > kMaxDepth) return fail("nested too deeply");
        if (keyword("not")) {
            if (!next() || !parse_unary(depth + 1)) return false;
            emit(Kind::negate);
            return true;
        }
        if (tok == Tok::lparen) {
            if (!next() || !parse_chain(depth + 1, true)) return false;
            if (tok != Tok::rparen) return fail("missing ')'");
            return next();
        }
        return parse_comparison();
    }

    bool parse_operand(Operand& o) {
        switch (tok) {
            case Tok::word: {
                if (keyword("and") || keyword("or") || keyword("not")) return fail("missing operand");
                const auto col = column_by_name(tok_text);
                if (!col) return fail("unknown column '" + std::string(tok_text) + "'");
                o.is_column = true;
                o.column = *col;
                uses_howhand = uses_howhand || *col == Column::howhand;
                break;
            }
            case Tok::text: o.text = std::string(tok_text); break;
            case Tok::number:
                o.is_number = true;
                o.number = tok_number;
                break;
            case Tok::bad: return false;
            default: return fail("missing operand");
        }
        return next();
    }

    bool parse_comparison() {
        Comparison c;
        if (!parse_operand(c.lhs)) return false;
        if (tok != Tok::op) return tok == Tok::bad ? false : fail("missing comparison operator");
        c.op = tok_op;
        if (!next() || !parse_operand(c.rhs)) return false;
        if (!c.lhs.is_column && c.rhs.is_column) {
            std::swap(c.lhs, c.rhs);
            c.op = mirrored(c.op);
        }
        out.push_back(lower(std::move(c)));
        return true;
    }

    // Turns a comparison into a test of one number from the row wherever
    // the literal allows it; what remains compares by value.
    static Expression::Node lower(Comparison c) {
        const Operand& col = c.lhs;
        const Operand& lit = c.rhs;
        const bool equality = c.op == Op::eq || c.op == Op::ne;
        // A literal no card has: = never holds, <> always.
        const auto never = [&c] { return constant(c.op == Op::ne); };

        if (!col.is_column) {  // two literals: decide now
            static const CardRow empty_row{};
            return constant(compare(c, empty_row, 0));
        }
        if (!lit.is_column) {
            switch (col.column) {
                case Column::sort:
                case Column::howhand: {
                    const Kind kind = col.column == Column::sort ? Kind::sort_in : Kind::howhand_in;
                    if (lit.is_number) return number_test(kind, c.op, lit.number);
                    // A text literal is read as a number once, here, not per row.
                    if (const auto v = whole_number(lit.text)) return number_test(kind, c.op, *v);
                    return never();
                }
                case Column::code:
                    if (!equality || lit.is_number) break;
                    for (int s = 0; s <= 15; ++s)  // sort 0 has code "", like an empty row
                        if (code_of_sort(s) == lit.text) return number_test(Kind::sort_in, c.op, s);
                    return never();
                case Column::id:
                    if (!equality || lit.is_number) break;
                    if (lit.text.empty()) return number_test(Kind::num_in, c.op, 0);  // a row not yet given a card
                    if (const int num = card_number(lit.text)) return number_test(Kind::num_in, c.op, num);
                    return never();
                case Column::name:
                case Column::bmp:
                    if (!equality || lit.is_number) break;
                    for (int r = 0; r <= kCatalogueRows; ++r) {
                        const CatalogueRow& info = catalogue_row(r);  // row 0 is the empty row
                        if ((col.column == Column::name ? info.name : info.bmp) == lit.text)
                            return number_test(Kind::row_in, c.op, r);
                    }
                    return never();
                case Column::isgo:
                    if (lit.is_number) return number_test(Kind::isgo_in, c.op, lit.number);
                    if (lit.text == "0" || lit.text == "1") return number_test(Kind::isgo_in, c.op, lit.text[0] - '0');
                    break;
            }
        }
        Expression::Node n;
        n.kind = Kind::generic;
        n.generic = std::make_unique<const Comparison>(std::move(c));
        return n;
    }

    std::shared_ptr<const Expression> run(std::string* error_out) {
        bool ok = next();
        if (ok && tok == Tok::end) ok = fail("empty expression");
        if (ok) ok = parse_chain(0, true);
        if (ok && tok != Tok::end)
            ok = fail(tok == Tok::rparen ? "unbalanced ')'" : "unexpected text after the expression");
        if (!ok) {
            if (error_out) *error_out = error.empty() ? "malformed expression" : error;
            return nullptr;
        }
        // Nothing jumps past the end, so the final node can finish the run;
        // `done` stays for jumps that land on it.
        out.back().last = true;
        emit(Kind::done);
        std::shared_ptr<Expression> e(new Expression());
        e->nodes_ = std::make_unique<Expression::Node[]>(out.size());
        for (std::size_t i = 0; i < out.size(); ++i) e->nodes_[i] = std::move(out[i]);
        e->root_ = 0;  // the program starts at its first node
        e->uses_howhand_ = uses_howhand;
        return e;
    }
};

std::shared_ptr<const Expression> Expression::compile(std::string_view text, std::string* error) {
    try {
        ExpressionParser p;
        p.src = text;
        return p.run(error);
    } catch (const std::exception&) {  // out of memory on an absurd text
        if (error) *error = "expression too large";
        return nullptr;
    }
}

}  // namespace tav
