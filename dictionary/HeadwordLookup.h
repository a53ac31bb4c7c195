#pragma once

// The look-ups in the current direction (the selected tab), read from its
// word box when they run.
void FillHeadwordList();
void ShowArticle();
void LookUpWord();       // FillHeadwordList, then ShowArticle
void ChooseHeadword();   // the marked list item into the word box, then ShowArticle
void ShowInitialWord();  // "a", looked up: the last step of start-up
