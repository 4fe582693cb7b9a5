// The solver's tables, written by generators/solver at build time, taken into the program
// whole: read-only pages of the executable, which the system reads in as the search touches
// them and may drop again under memory pressure.
#include "core/pattern_tables.h"

#ifndef PUZZLE_PATTERN_TABLES_FILE
#error "the build names the file of pattern tables"
#endif

asm(".section .rodata\n"
    ".balign 64\n"
    ".globl puzzle_pattern_tables\n"
    ".hidden puzzle_pattern_tables\n"
    ".type puzzle_pattern_tables, @object\n"
    "puzzle_pattern_tables:\n"
    ".incbin \"" PUZZLE_PATTERN_TABLES_FILE "\"\n"
    ".size puzzle_pattern_tables, . - puzzle_pattern_tables\n"
    ".previous\n");
