// The question engine: the catalogue, the random source, the generators, the
// question log and number formatting. No GUI; the app, tools and tests link it.
#pragma once

#include "catalogue.h"
#include "generators.h"
#include "number_text.h"
#include "question.h"
#include "random_source.h"
