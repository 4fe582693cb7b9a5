#!/usr/bin/perl
# Inside an X server: idle CPU of each program's first window; then each game is played the
# way a player plays it, through the X server: the peers' boards and ours are clicked with
# xdotool, and idle CPU and wake-ups are read with the played game on screen. All programs
# of a run are on screen together, side by side, so they see the same machine load.
#   idle_click.pl <runs> <idle s> <idle in play s> <clicks> <label>=<command> ...
# Labels: sgt-fifteen and gnome-taquin are clicked on their default boards; zantho-puzzle is
# played ("Play" clicked in the menu, the seeded shuffle waited out, then its tiles clicked);
# zantho-puzzle+music and zantho-puzzle-before (another build) are played too but only
# watched; minimal-qt-clock (a Qt window with a clock) is watched idle beside the played
# games; any other label (the minimal Qt window) only in its first window.
# Settings: SOLVER=<solve_shuffle program> (the blank's place after the seeded shuffle),
# ZANTHO_SEED (the seed the game is started with), BENCH_SHOT=<png of the screen, run 1>.
use strict;
use warnings;
use Time::HiRes qw(time sleep);
use POSIX qw(:sys_wait_h);

my ($runs, $idle_s, $play_idle_s, $clicks, @programs) = @ARGV;
my $seed = $ENV{ZANTHO_SEED} // die "ZANTHO_SEED is not set\n";
my $solver = $ENV{SOLVER} // die "SOLVER does not name solve_shuffle\n";

# Where each window goes, so that none covers another (a covered window paints less), and
# each peer's board: first cell's centre, cell pitch, board size, window size.
my %layout = (
    'sgt-fifteen'  => { x0 => 24, y0 => 49, cell => 48,    cols => 4, rows => 4, w => 240,
                        h => 302, at => [0, 0], pause => 0.3 },
    'gnome-taquin' => { x0 => 93, y0 => 96, cell => 90.75, cols => 4, rows => 4, w => 550,
                        h => 556, at => [260, 0], pause => 0.4 },
);
my %menu_at = ('zantho-puzzle' => [830, 0], 'zantho-puzzle+music' => [830, 300],
               'minimal-qt' => [1220, 0], 'minimal-qt-clock' => [1220, 100],
               'zantho-puzzle-before' => [830, 600]);
my %game_at = ('zantho-puzzle' => [0, 600], 'zantho-puzzle+music' => [700, 600],
               'zantho-puzzle-before' => [0, 1100]);
# Our game window and its Normal board (picture 1: 4 x 3 tiles of 96 pixels).
my ($game_w, $game_h) = (685, 471);
my %ours_board = (x0 => 24, y0 => 64, cell => 96, cols => 4, rows => 3, pause => 0.3);

# CPU time of a process in ms, two ways: the scheduler's per-thread run time (ns precision)
# and utime + stime from /proc/<pid>/stat (in clock ticks of 10 ms); and how many times its
# threads were put on a CPU (wake-ups), from /proc/<pid>/task/*/schedstat.
sub cpu_ms {
    my ($pid) = @_;
    my ($sched, $slices) = (0, 0);
    for my $task (glob "/proc/$pid/task/*") {
        if (open(my $fh, '<', "$task/sched")) {
            while (my $line = <$fh>) {
                $sched += $1 if $line =~ /^se\.sum_exec_runtime\s*:\s*([\d.]+)/;
            }
        }
        if (open(my $fh, '<', "$task/schedstat")) {
            my @f = split ' ', scalar <$fh>;
            $slices += $f[2] // 0;
        }
    }
    open(my $fh, '<', "/proc/$pid/stat") or return (0, 0, 0);
    my $stat = <$fh>;
    $stat =~ s/^.*\)\s+//;    # the command name may hold spaces
    my @f = split ' ', $stat;  # field 3 (state) is now $f[0]: utime is $f[11], stime $f[12]
    return ($sched, ($f[11] + $f[12]) * 10, $slices);
}

sub rss_mb {
    my ($pid) = @_;
    open(my $fh, '<', "/proc/$pid/status") or return -1;
    while (<$fh>) { return $1 / 1024 if /^VmRSS:\s+(\d+)/; }
    return -1;
}

sub start {
    my ($command) = @_;
    my $watcher = open(my $xev, '-|', 'stdbuf', '-oL', 'xev', '-root', '-event', 'substructure')
        or die "xev: $!";
    sleep 0.3;
    my $pid = fork // die "fork: $!";
    if ($pid == 0) {
        open(STDOUT, '>', '/dev/null');
        open(STDERR, '>', '/dev/null');
        exec(@$command) or POSIX::_exit(127);
    }
    my $window;
    while (my $line = <$xev>) {
        # MapNotify event, serial 17, synthetic NO, window 0x2e8,
        #     event 0x2e8, window 0x200003, override NO
        next unless $line =~ /^MapNotify/;
        my $next = <$xev>;
        if ($next =~ /window (0x[0-9a-f]+), override NO/) { $window = hex $1; last; }
    }
    kill 'TERM', $watcher;
    close $xev;
    return ($pid, $window);
}

sub geometry {
    my ($window) = @_;
    my $info = `xwininfo -id $window 2>/dev/null`;
    my ($w) = $info =~ /Width:\s+(\d+)/;
    my ($h) = $info =~ /Height:\s+(\d+)/;
    return ($w // 0, $h // 0);
}

# The shown window of a process with the given size, or undef.
sub window_of {
    my ($pid, $w, $h) = @_;
    for my $id (split ' ', `xdotool search --onlyvisible --pid $pid 2>/dev/null`) {
        my ($ww, $hh) = geometry($id);
        return $id if $ww == $w && $hh == $h;
    }
    return undef;
}

sub cell_args {
    my ($l, $window, $row, $col) = @_;
    my $x = int($l->{x0} + $l->{cell} * ($col + 0.5));
    my $y = int($l->{y0} + $l->{cell} * ($row + 0.5));
    return ('mousemove', '--window', $window, $x, $y, 'click', '1');
}

# Clicks the cells in turn in one xdotool process, the board's pause apart.
sub click_cells {
    my ($l, $window, @cells) = @_;
    my @args;
    for my $c (@cells) { push @args, cell_args($l, $window, @$c), 'sleep', $l->{pause}; }
    system('xdotool', @args) == 0 or warn "xdotool failed\n";
}

sub snapshot {
    my ($window, $file) = @_;
    system('import', '-window', $window, $file) == 0 or warn "import failed\n";
}

# Whether the boards in two shots differ (the counters beside them always may).
sub boards_differ {
    my ($l, $a, $b) = @_;
    my $w = int($l->{cols} * $l->{cell});
    my $h = int($l->{rows} * $l->{cell});
    my $crop = "${w}x${h}+" . int($l->{x0}) . '+' . int($l->{y0});
    system('convert', $a, '-crop', $crop, '+repage', "$a.board.png");
    system('convert', $b, '-crop', $crop, '+repage', "$b.board.png");
    my $ae = `compare -metric AE $a.board.png $b.board.png $a.diff.png 2>&1`;
    $ae =~ s/\s.*//s;
    # A slid tile changes thousands of pixels; a few may differ in the edge shading.
    return $ae > 100;
}

# Width of the green text in our game window's status line: "Done" is 10 to 70 pixels.
sub status_width {
    my ($window, $file) = @_;
    snapshot($window, $file);
    open(my $fh, '-|', 'convert', $file, '-crop', '385x21+0+452', '+repage', '-fx',
         '(g>0.55 && r<0.45 && b<0.45) ? 1 : 0', '-format', '%@', 'info:') or return 0;
    my $box = <$fh> // '';
    close $fh;
    return $box =~ /^(\d+)x/ && $box !~ /^0x0/ ? $1 : 0;
}

sub median {
    my @s = sort { $a <=> $b } @_;
    return @s ? $s[int(@s / 2)] : undef;
}

# The blank's cell after the seeded shuffle of picture 1: the solver's keys bring it back to
# the bottom-right corner, each key moving it one cell (Up: the tile below slides up).
my $keys = `$solver $seed 1`;
die "solve_shuffle gave nothing\n" unless $keys =~ /\S/;
my ($blank_r, $blank_c) = ($ours_board{rows} - 1, $ours_board{cols} - 1);
for my $k (split ' ', $keys) {
    $blank_r -= 1 if $k eq 'Up';
    $blank_r += 1 if $k eq 'Down';
    $blank_c -= 1 if $k eq 'Left';
    $blank_c += 1 if $k eq 'Right';
}
# The tile beside it that is clicked back and forth.
my @beside = $blank_c > 0 ? ($blank_r, $blank_c - 1) : ($blank_r, $blank_c + 1);
printf "seed %s: the blank ends the shuffle at row %d, column %d; the tile at row %d, column %d"
    . " is clicked\n", $seed, $blank_r, $blank_c, @beside;

my $pause_settle = 2;
my $tmp = "/tmp/bench-peers.$$";
mkdir $tmp;
my (%idle_first, %idle_play, %wakes_play, %click_ms, %click_ticks_ms, %rss_play);

# Measures the clicks on one board: brought to a known state, checked, then $clicks clicks.
sub measure_clicks {
    my ($p, $l, $win, $from, $to, $run, $rate) = @_;
    snapshot($win, "$tmp/a.png");
    click_cells($l, $win, $to);
    snapshot($win, "$tmp/b.png");
    click_cells($l, $win, $from);
    snapshot($win, "$tmp/c.png");
    if (!boards_differ($l, "$tmp/a.png", "$tmp/b.png")
        || boards_differ($l, "$tmp/a.png", "$tmp/c.png")) {
        printf "run %d %-20s a click did not move the tile back and forth: not counted\n", $run,
            $p->{label};
        return;
    }
    my @cells = map { $_ % 2 ? $from : $to } 0 .. $clicks - 1;
    my @c0 = cpu_ms($p->{pid});
    my $t0 = time;
    click_cells($l, $win, @cells);
    sleep 0.5;
    my $dt = time - $t0;
    my @c1 = cpu_ms($p->{pid});
    my $idle = $rate * $dt * 1000;
    push @{$click_ms{$p->{label}}}, ($c1[0] - $c0[0] - $idle) / $clicks;
    push @{$click_ticks_ms{$p->{label}}}, ($c1[1] - $c0[1] - $idle) / $clicks;
    printf "run %d %-20s %d clicks: %.3f ms CPU per click (utime + stime: %.3f ms; idle "
        . "subtracted)\n", $run, $p->{label}, $clicks, $click_ms{$p->{label}}[-1],
        $click_ticks_ms{$p->{label}}[-1];
}

for my $run (1 .. $runs) {
    my @live;
    for my $p (@programs) {
        my ($label, $cmd) = split /=/, $p, 2;
        my ($pid, $window) = start([split ' ', $cmd]);
        my $l = $layout{$label};
        my $at = $l ? $l->{at} : $menu_at{$label} // [1220, 300];
        system('xdotool', 'windowmove', $window, @$at) if $window;
        push @live, { label => $label, pid => $pid, window => $window, layout => $l };
    }
    sleep $pause_settle;  # let the start-up work end
    system('import', '-window', 'root', $ENV{BENCH_SHOT}) if $ENV{BENCH_SHOT} && $run == 1;

    # Idle in the first window: ours is the menu, the peers' is a fresh game.
    my %c0 = map { ($_->{label} => [cpu_ms($_->{pid})]) } @live;
    my $t0 = time;
    sleep $idle_s;
    my $dt = time - $t0;
    for my $p (@live) {
        my @c1 = cpu_ms($p->{pid});
        push @{$idle_first{$p->{label}}}, 100 * ($c1[0] - $c0{$p->{label}}[0]) / ($dt * 1000);
        printf "run %d %-20s idle, first window %.3f %% of a core\n", $run, $p->{label},
            $idle_first{$p->{label}}[-1];
    }

    # Ours: "Play" in the menu plays picture 1; the game window is moved beside the others
    # and its shuffle waited out until "Done" shows.
    my @ours = grep { $_->{label} =~ /^zantho-puzzle/ } @live;
    for my $p (@ours) {
        system('xdotool', 'mousemove', '--window', $p->{window}, 304, 68, 'click', '1',
               'mousemove', 1, 1599);  # then off every window, leaving no hover text
    }
    for my $p (@ours) {
        my $deadline = time + 30;
        $p->{game} = window_of($p->{pid}, $game_w, $game_h) until $p->{game} || time > $deadline;
        if (!$p->{game}) {
            printf "run %d %-20s no game window after \"Play\": not played\n", $run,
                $p->{label};
            next;
        }
        system('xdotool', 'windowmove', $p->{game}, @{$game_at{$p->{label}}});
    }
    @ours = grep { $_->{game} } @ours;
    for my $p (@ours) {
        # "Disordering... Please wait" first (the status line may say less before it).
        my $deadline = time + 60;
        my $w = 0;
        sleep 0.2 until ($w = status_width($p->{game}, "$tmp/status.png")) > 100
            || time > $deadline;
        sleep 1 until ($w = status_width($p->{game}, "$tmp/status.png")) > 10 && $w < 70
            || time > $deadline;
        $p->{done} = $w > 10 && $w < 70;
        printf "run %d %-20s \"Done\" not shown after 60 s: not counted\n", $run, $p->{label}
            unless $p->{done};
    }
    @ours = grep { $_->{done} } @ours;

    # The peers' clicks: the gap is brought to the top-left corner (clicking a cell in line
    # with the gap slides the tiles between), then the tile beside it goes back and forth.
    # The minimal window with a clock is the floor for a game whose clock runs.
    my @played = (@ours, grep { $_->{label} =~ /clock/ } @live);
    for my $p (grep { $_->{layout} } @live) {
        my ($l, $win) = ($p->{layout}, $p->{window});
        my ($w, $h) = geometry($win);
        if ($w != $l->{w} || $h != $l->{h}) {
            printf "run %d %-20s window is %dx%d, not %dx%d: board not found, not clicked\n",
                $run, $p->{label}, $w, $h, $l->{w}, $l->{h};
            next;
        }
        click_cells($l, $win, [0, 0], [1, 0], [2, 0], [3, 0], [0, 0]);
        $p->{clicks} = [$l, $win, [0, 0], [0, 1]];
        push @played, $p;
    }

    # Idle with every played game on screen, untouched: ours after "Done".
    sleep 1;
    my %p0 = map { $_->{label} => [cpu_ms($_->{pid})] } @played;
    $t0 = time;
    sleep $play_idle_s;
    $dt = time - $t0;
    my %rate;
    for my $p (@played) {
        my @c1 = cpu_ms($p->{pid});
        my $label = $p->{label};
        $rate{$label} = ($c1[0] - $p0{$label}[0]) / ($dt * 1000);
        push @{$idle_play{$label}}, 100 * $rate{$label};
        push @{$wakes_play{$label}}, ($c1[2] - $p0{$label}[2]) / $dt;
        push @{$rss_play{$label}}, rss_mb($p->{pid});
        printf "run %d %-20s idle in play %.3f %% of a core, %.2f wake-ups/s, rss %.1f MB\n",
            $run, $label, $idle_play{$label}[-1], $wakes_play{$label}[-1],
            $rss_play{$label}[-1];
    }

    # Clicks, one program at a time.
    for my $p (@played) {
        if ($p->{clicks}) {
            measure_clicks($p, @{$p->{clicks}}, $run, $rate{$p->{label}});
        } elsif ($p->{label} eq 'zantho-puzzle') {
            measure_clicks($p, \%ours_board, $p->{game}, [$blank_r, $blank_c], [@beside], $run,
                           $rate{$p->{label}});
        }
    }
    for my $p (@live) {
        kill 'TERM', $p->{pid};
        waitpid($p->{pid}, 0);
    }
}
system("rm", "-rf", $tmp) unless $ENV{BENCH_KEEP};

print "\nmedians of $runs runs:\n";
for my $p (@programs) {
    my ($label) = split /=/, $p, 2;
    my $line = sprintf "  %-20s idle-first %.3f %%", $label, median(@{$idle_first{$label}});
    $line .= sprintf "  idle-play %.3f %%  wakes %.2f/s  rss-play %.1f MB",
        median(@{$idle_play{$label}}), median(@{$wakes_play{$label}}),
        median(@{$rss_play{$label}}) if $idle_play{$label};
    $line .= sprintf "  click %.3f ms  click-ticks %.3f ms", median(@{$click_ms{$label}}),
        median(@{$click_ticks_ms{$label}}) if $click_ms{$label};
    printf "%s  (%d click runs)\n", $line, scalar @{$click_ms{$label} // []};
}
