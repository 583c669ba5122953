#include "help/help_topics.h"

namespace {

struct TopicRange {
  int first, last;
  HelpTopic topic;
};

constexpr TopicRange kTopics[] = {
    {102, 102, {"P_notation", 4}},
    {113, 116, {"P_order", 7}},
    {122, 123, {"P_order", 7}},
    {121, 121, {"P_output", 10}},
    {171, 171, {"P_output", 10}},
    {136, 136, {"P_precision", 12}},
    {175, 175, {"P_precision", 12}},
    {124, 124, {"P_min", 16}},
    {145, 145, {"P_percent", 17}},
    {125, 126, {"P_special", 21}},
    {128, 128, {"P_special", 21}},
    {163, 163, {"P_special", 21}},
    {166, 166, {"P_special", 21}},
    {141, 142, {"P_xentry", 22}},
    {151, 152, {"P_xentry", 22}},
    {154, 157, {"P_xentry", 22}},
    {164, 164, {"P_xentry", 22}},
    {167, 167, {"P_xentry", 22}},
    {129, 129, {"P_regression", 23}},
    {400, 409, {"P_regression", 23}},
    {143, 144, {"P_clip", 24}},
    {150, 150, {"P_clip", 24}},
    {153, 153, {"P_clip", 24}},
    {169, 169, {"P_clip", 24}},
    {168, 168, {"P_clipsave", 27}},
    {170, 170, {"P_clipsave", 27}},
    {172, 172, {"P_clipsave", 27}},
    {147, 148, {"P_last20", 30}},
    {146, 146, {"P_ignored", 6}},
    {149, 149, {"P_pict", 3}},
    {182, 187, {"P_pict", 3}},
    {162, 162, {"P_fct", 39}},
    {181, 181, {"P_alt", 35}},
    {203, 209, {"P_trig", 40}},
    {231, 231, {"P_trig", 40}},
    {210, 211, {"P_log", 41}},
    {232, 232, {"P_log", 41}},
    {212, 217, {"P_other", 42}},
    {310, 315, {"P_otherNumeratives", 36}},
    {321, 324, {"P_otherNumeratives", 36}},
    {350, 355, {"P_binaryOps", 37}},
    {360, 360, {"P_binaryOps", 37}},
    {330, 332, {"P_integers", 38}},
    {340, 341, {"P_integers", 38}},
    {370, 370, {"P_integers", 38}},
};

}  // namespace

std::optional<HelpTopic> helpTopicFor(int controlId) {
  for (const TopicRange& range : kTopics)
    if (controlId >= range.first && controlId <= range.last) return range.topic;
  return std::nullopt;
}
