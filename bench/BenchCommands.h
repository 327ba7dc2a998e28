#ifndef BENCH_BENCHCOMMANDS_H
#define BENCH_BENCHCOMMANDS_H

#include <cstddef>
#include <string>

#include "uparser/CommandDescriptor.h"

namespace bench {

// The shapes of long commands the parse benchmarks time.
enum class Shape {
    VarList,      // one leading variable list: BENCH v1 v2 v3 ...
    SubCommands,  // many occurrences of a small repeatable subcommand: /SUB K = 1 /SUB K = 2 ...
    Parameters,   // a repeatable subcommand naming each of its 64 parameters with a value
    Arbitrary,    // one arbitrary subcommand whose value is a variable list: BENCH /NOTE v1 v2 ...
};

const char* ShapeName(Shape shape);

// Command text of about `tokens` tokens (the command name included) in the given shape.
std::string CommandText(Shape shape, std::size_t tokens);

// The grammar the command text of that shape is written for.
CommandDescriptor Grammar(Shape shape);

}  // namespace bench

#endif
