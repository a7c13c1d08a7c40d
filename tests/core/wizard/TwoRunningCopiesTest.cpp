// Two copies of the program on one user's folders, each in a process of its own:
// each keeps its own work, shared files are merged, and nothing is deleted that
// the other still needs, whichever of them is killed.
#include "catalogue/AppState.h"
#include "order/OrderJournal.h"
#include "partnumber/PartNumberHistory.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"
#include "wizard/MainForm.h"

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace pelmora {
namespace {

using testing::FakePlatform;
using testing::TempFolder;

// A running copy of the program: a main form and its part-number history, started
// as the window starts them, doing each step it is sent and answering when done.
class RunningCopy {
public:
    explicit RunningCopy(const std::string& folder) {
        int toCopy[2];
        int fromCopy[2];
        EXPECT_EQ(::pipe(toCopy), 0);
        EXPECT_EQ(::pipe(fromCopy), 0);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(toCopy[1]);
            ::close(fromCopy[0]);
            Serve(folder, toCopy[0], fromCopy[1]);
        }
        ::close(toCopy[0]);
        ::close(fromCopy[1]);
        commands_ = toCopy[1];
        answers_ = fromCopy[0];
        Await();
    }
    ~RunningCopy() {
        if (pid_ > 0)
            Kill();
        ::close(commands_);
        ::close(answers_);
    }

    void AddToOrder(const std::string& line) { Send('o' + line); }
    void AddToHistory(const std::string& entry) { Send('h' + entry); }
    void CloseNormally() {
        ASSERT_EQ(::write(commands_, "c", 1), 1);
        int status = -1;
        ::waitpid(std::exchange(pid_, -1), &status, 0);
        EXPECT_EQ(status, 0) << "closed with a message or not at all";
    }
    void Kill() {
        ::kill(pid_, SIGKILL);
        ::waitpid(std::exchange(pid_, -1), nullptr, 0);
    }

private:
    [[noreturn]] static void Serve(const std::string& folder, int commands, int answers) {
        AppState app;
        app.SetFolders(folder);
        FakePlatform platform;
        MainForm main(app, platform.Seams);
        main.FormCreate();
        PartNumberHistory history;
        history.Load(app.HistoryDir + "Parts.hst");
        auto answer = [answers] {
            if (::write(answers, "k", 1) != 1)
                ::_exit(3);
        };
        answer();
        char buffer[256];
        for (ssize_t got; (got = ::read(commands, buffer, sizeof buffer)) > 0;) {
            const std::string command(buffer, static_cast<size_t>(got));
            if (command[0] == 'o') {
                main.OrderLines.Lines.push_back(command.substr(1));
                main.Journal.Record(main.OrderLines, platform.Messages);
            } else if (command[0] == 'h') {
                history.AddHistoryEntry(command.substr(1));
            } else {
                history.SaveIntoFolder(app.HistoryDir, "Parts.hst", platform.Messages);
                main.FormClose();
                for (const auto& shown : platform.Messages.Log)
                    std::fprintf(stderr, "%s\n", shown.Text.c_str());
                ::_exit(platform.Messages.Log.empty() ? 0 : 1);
            }
            answer();
        }
        ::_exit(2);
    }
    void Send(const std::string& command) {
        ASSERT_EQ(::write(commands_, command.data(), command.size()),
                  static_cast<ssize_t>(command.size()));
        Await();
    }
    void Await() {
        char answer = 0;
        ASSERT_EQ(::read(answers_, &answer, 1), 1) << "the copy ended";
    }

    pid_t pid_ = -1;
    int commands_ = -1;
    int answers_ = -1;
};

class TwoRunningCopies : public ::testing::Test {
protected:
    TwoRunningCopies() {
        folder.Write("Data/Family.tbl", "Letter|Type|Step|Metric|Drawing|Photo\r\n");
        folder.Write("Data/Flange.tbl", "Code|Waveguide|Type|Model|Picture\r\n");
        folder.Write("Data/Dimensions.tbl", "F|W|Min|Max|MaxMm|Def|DefMm\r\n");
        folder.Write("Data/StepTwist.tbl", "Part|Waveguide\r\n");
    }

    // What a third copy started now would offer back, released again.
    std::vector<std::string> Offered() const {
        std::vector<std::string> first;
        for (const LeftOrder& order : OrderJournal(folder.Path()).LeftBehind())
            first.push_back(order.Lines.front());
        return first;
    }

    TempFolder folder;
};

TEST_F(TwoRunningCopies, AnOrderSurvivesTheOtherCopyClosingAndItsOwnCrash) {
    RunningCopy first(folder.Path());
    first.AddToOrder("1|$1.00|Stock|FIRST|d");
    RunningCopy second(folder.Path());
    EXPECT_TRUE(Offered().empty()) << "the first copy still runs";

    second.AddToOrder("2|$2.00|Stock|SECOND|d");
    EXPECT_TRUE(Offered().empty());
    second.CloseNormally();
    EXPECT_NE(folder.Read("pelmora38.lom").find("SECOND"), std::string::npos);

    first.Kill();
    EXPECT_EQ(Offered(), (std::vector<std::string>{"1|$1.00|Stock|FIRST|d"}));
}

TEST_F(TwoRunningCopies, EitherCopyKilledLeavesOnlyItsOwnOrder) {
    for (const bool killFirst : {true, false}) {
        RunningCopy first(folder.Path());
        RunningCopy second(folder.Path());
        first.AddToOrder("1|$1.00|Stock|FIRST|d");
        second.AddToOrder("2|$2.00|Stock|SECOND|d");
        (killFirst ? first : second).Kill();
        EXPECT_EQ(Offered(), (std::vector<std::string>{killFirst ? "1|$1.00|Stock|FIRST|d"
                                                                 : "2|$2.00|Stock|SECOND|d"}));
        (killFirst ? second : first).CloseNormally();
        for (LeftOrder& order : OrderJournal(folder.Path()).LeftBehind())
            order.Discard();
    }
}

TEST_F(TwoRunningCopies, HistoriesAreMergedAndAnUntouchedCopyKeepsTheBillOfMaterials) {
    folder.Write("Data/Parts.hst", "OLD\r\n");
    RunningCopy first(folder.Path());
    RunningCopy second(folder.Path());
    first.AddToHistory("R090PC0120USG");
    second.AddToHistory("E090PK060C090SG");
    first.AddToOrder("1|$1.00|Stock|FIRST|d");
    first.CloseNormally();
    const std::string materials = folder.Read("pelmora38.lom");
    second.CloseNormally();
    EXPECT_EQ(folder.Read("Data/Parts.hst"), "OLD\r\nR090PC0120USG\r\nE090PK060C090SG\r\n");
    EXPECT_EQ(folder.Read("pelmora38.lom"), materials) << "the second copy never held an order";
    EXPECT_TRUE(Offered().empty());
}

} // namespace
} // namespace pelmora
