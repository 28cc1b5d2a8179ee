// The question engine: no GUI, only the standard library; the drill windows,
// zorvel-questions and the tests link it.
//
//   catalogue.h      operations, levels and number types with captions and defaults
//   random_source.h  uniform r in [0, 1) and the integer draws Int(r * n) + m
//   level_rules.h    each level as data: draws, redraw shape, rejection tests
//   generators.h     one question per call; QuestionSource adds the listening
//                    windows' repeat-answer redraw
//   question_deck.h  a test's (or a page's) questions without repeats
//   test_draw.h      one test from its seed, over one or more exercises
//   question_space.h the walk of a level's questions, and their count
//   decimal_scaling.h, number_text.h  operand texts and answers, answer reading
//   question.h       the question record and the log of entries 1 to 20
#pragma once

#include "questions/catalogue.h"
#include "questions/generators.h"
#include "questions/number_text.h"
#include "questions/question.h"
#include "questions/question_deck.h"
#include "questions/random_source.h"
#include "questions/test_draw.h"
