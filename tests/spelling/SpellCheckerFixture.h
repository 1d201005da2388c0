#pragma once
// A spelling checker set up as the editor sets it up, over a private program folder holding the
// shipped british.adm, with its configuration kept in memory and a scripted user interface:
// every prompt is answered by the next queued answer, and a prompt with none left fails the
// test and cancels the check.

#include "TestFolder.h"
#include "spelling/TSpellChecker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>

class ScriptedSpellUI : public kerfa::spelling::TSpellCheckerUI {
public:
    using Answer = std::function<void(kerfa::spelling::TSpellChecker&)>;

    void ShowDialog(kerfa::spelling::TSpellChecker& checker) override {
        shown = true;
        if (checker.IsPrompting())
            prompts.push_back(checker.PromptedWord());
    }
    void HideDialog() override { shown = false; }
    bool DialogPosition(int& left, int& top) override {
        left = 40;
        top = 30;
        return true;
    }
    void ShowEndMessage(const std::string& caption, const std::string& text) override {
        messages.push_back(caption + ": " + text);
    }
    bool AskYesNo(const std::string& caption, const std::string& text) override {
        questions.push_back(caption + ": " + text);
        if (yesNo.empty()) {
            ADD_FAILURE() << "unexpected question: " << text;
            return false;
        }
        const bool answer = yesNo.front();
        yesNo.pop_front();
        return answer;
    }
    bool WaitForAnswer(kerfa::spelling::TSpellChecker& checker) override {
        if (answers.empty()) {
            ADD_FAILURE() << "no answer for " << checker.PromptedWord();
            checker.Cancel();
            return true;
        }
        const Answer answer = answers.front();
        answers.pop_front();
        answer(checker);
        return true;
    }
    void WakeUp() override {}

    std::deque<Answer> answers;
    std::deque<bool> yesNo;
    std::vector<std::string> prompts, messages, questions;
    bool shown = false;
};

class SpellCheckerTest : public testing::Test {
protected:
    SpellCheckerTest() {
        std::filesystem::create_directories(folder.File("Spelling"));
        std::filesystem::copy_file(KERFA_BRITISH_ADM, folder.File("Spelling/british.adm"));
        Configure(checker);
        checker.SetUI(&ui);
    }

    void Configure(kerfa::spelling::TSpellChecker& c) {
        c.UseProgramSettings();
        c.Paths.appDir = folder.File("");
        c.Paths.appDir.pop_back();
        c.Paths.userName = "writer";
        c.OnConfigReadString = [this](const std::string& section, const std::string& key,
                                      const std::string& fallback) {
            const auto it = stored.find(section + "/" + key);
            return it == stored.end() ? fallback : it->second;
        };
        c.OnConfigWriteString = [this](const std::string& section, const std::string& key,
                                       const std::string& value) {
            stored[section + "/" + key] = value;
            return true;
        };
        c.OnConfigCountValues = [this](const std::string& section) {
            return static_cast<std::size_t>(
                std::count_if(stored.begin(), stored.end(), [&](const auto& entry) {
                    return entry.first.compare(0, section.size() + 1, section + "/") == 0;
                }));
        };
    }

    // Checks the text as the editor does (whole text here) and answers with `answers`.
    std::string Check(const std::string& text, std::deque<ScriptedSpellUI::Answer> answers) {
        ui.answers = std::move(answers);
        EXPECT_TRUE(checker.CheckText(text));
        EXPECT_FALSE(checker.IsChecking());
        EXPECT_TRUE(ui.answers.empty()) << ui.answers.size() << " answers left";
        return checker.CheckedText();
    }

    static ScriptedSpellUI::Answer ChangeTo(std::string word) {
        return [word](kerfa::spelling::TSpellChecker& c) {
            c.Change(word);
        };
    }
    static ScriptedSpellUI::Answer ChangeAllTo(std::string word) {
        return [word](kerfa::spelling::TSpellChecker& c) {
            c.ChangeAll(word);
        };
    }
    static ScriptedSpellUI::Answer Do(void (kerfa::spelling::TSpellCheckerBase::*action)()) {
        return [action](kerfa::spelling::TSpellChecker& c) {
            (c.*action)();
        };
    }

    TestFolder folder;
    std::map<std::string, std::string> stored;
    ScriptedSpellUI ui;
    kerfa::spelling::TSpellChecker checker;
};
