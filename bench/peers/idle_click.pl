#!/usr/bin/perl
# Inside an X server: idle CPU of each program's first window, and for the peers CPU per tile
# click (driven with xdotool) and idle CPU with the game played on. All programs of a run are
# on screen together, side by side, so they see the same machine load.
#   idle_click.pl <runs> <idle seconds> <clicks> <label>=<command> ...
# Labels sgt-fifteen and gnome-taquin are clicked (their boards are at known places in their
# default windows); any other label is only watched idle.
use strict;
use warnings;
use Time::HiRes qw(time sleep);
use POSIX qw(:sys_wait_h);

my ($runs, $idle_s, $clicks, @programs) = @ARGV;

# Board of each peer's default window: first cell's top-left, cell size, window size, and
# where the window is put so that no window covers another (a covered window paints less).
my %layout = (
    'sgt-fifteen'  => { x0 => 24, y0 => 49, cell => 48,    w => 240, h => 302, at => [0, 0] },
    'gnome-taquin' => { x0 => 93, y0 => 96, cell => 90.75, w => 550, h => 556, at => [260, 0] },
);
my %ours_at = ('zantho-puzzle' => [830, 0], 'zantho-puzzle+music' => [830, 300]);

# CPU time of a process in ms, two ways: the scheduler's per-thread run time (ns precision)
# and utime + stime from /proc/<pid>/stat (in clock ticks of 10 ms).
sub cpu_ms {
    my ($pid) = @_;
    my $sched = 0;
    for my $task (glob "/proc/$pid/task/*/sched") {
        open(my $fh, '<', $task) or next;
        while (my $line = <$fh>) { $sched += $1 if $line =~ /^se\.sum_exec_runtime\s*:\s*([\d.]+)/; }
    }
    open(my $fh, '<', "/proc/$pid/stat") or return (0, 0);
    my $stat = <$fh>;
    $stat =~ s/^.*\)\s+//;    # the command name may hold spaces
    my @f = split ' ', $stat;  # field 3 (state) is now $f[0]: utime is $f[11], stime $f[12]
    return ($sched, ($f[11] + $f[12]) * 10);
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
    my $info = `xwininfo -id $window`;
    my ($w) = $info =~ /Width:\s+(\d+)/;
    my ($h) = $info =~ /Height:\s+(\d+)/;
    return ($w // 0, $h // 0);
}

sub cell_args {
    my ($l, $window, $row, $col) = @_;
    my $x = int($l->{x0} + $l->{cell} * ($col + 0.5));
    my $y = int($l->{y0} + $l->{cell} * ($row + 0.5));
    return ('mousemove', '--window', $window, $x, $y, 'click', '1');
}

# Clicks the cells in turn in one xdotool process, $pause s apart.
sub click_cells {
    my ($l, $window, $pause, @cells) = @_;
    my @args;
    for my $c (@cells) { push @args, cell_args($l, $window, @$c), 'sleep', $pause; }
    system('xdotool', @args) == 0 or warn "xdotool failed\n";
}

# Whether the boards in two shots differ (the move counters beside them always do).
sub boards_differ {
    my ($l, $a, $b) = @_;
    my $size = int(4 * $l->{cell});
    my $crop = "${size}x${size}+$l->{x0}+$l->{y0}";
    system('convert', $a, '-crop', $crop, '+repage', "$a.board.png");
    system('convert', $b, '-crop', $crop, '+repage', "$b.board.png");
    my $ae = `compare -metric AE $a.board.png $b.board.png $a.diff.png 2>&1`;
    $ae =~ s/\s.*//s;
    # A slid tile changes thousands of pixels; a few may differ in the edge shading.
    return $ae > 100;
}

sub snapshot {
    my ($window, $file) = @_;
    system('import', '-window', $window, $file) == 0 or warn "import failed\n";
}

sub median {
    my @s = sort { $a <=> $b } @_;
    return @s ? $s[int(@s / 2)] : undef;
}

my $pause = 0.4;  # longer than either peer's slide animation
my $tmp = "/tmp/bench-peers.$$";
mkdir $tmp;
my (%idle_first, %idle_play, %click_ms, %idle_ticks);

for my $run (1 .. $runs) {
    my @live;
    for my $p (@programs) {
        my ($label, $cmd) = split /=/, $p, 2;
        my ($pid, $window) = start([split ' ', $cmd]);
        my $l = $layout{$label};
        my $at = $l ? $l->{at} : $ours_at{$label} // [830, 600];
        system('xdotool', 'windowmove', $window, @$at) if $window;
        push @live, { label => $label, pid => $pid, window => $window, layout => $l };
    }
    sleep 2;  # let the start-up work end
    system('import', '-window', 'root', $ENV{BENCH_SHOT}) if $ENV{BENCH_SHOT} && $run == 1;

    # Idle in the first window: ours is the menu, the peers' is a fresh game.
    my %c0 = map { ($_->{label} => [cpu_ms($_->{pid})]) } @live;
    my $t0 = time;
    sleep $idle_s;
    my $dt = time - $t0;
    my %rate;
    for my $p (@live) {
        my @c1 = cpu_ms($p->{pid});
        $rate{$p->{label}} = ($c1[0] - $c0{$p->{label}}[0]) / ($dt * 1000);
        push @{$idle_first{$p->{label}}}, 100 * $rate{$p->{label}};
        push @{$idle_ticks{$p->{label}}}, 100 * ($c1[1] - $c0{$p->{label}}[1]) / ($dt * 1000);
        printf "run %d %-14s idle, first window %.3f %% of a core (stat ticks: %.2f %%)\n", $run,
            $p->{label}, $idle_first{$p->{label}}[-1], $idle_ticks{$p->{label}}[-1];
    }

    # Clicks: the gap is brought to the top-left corner (clicking a cell in line with the gap
    # slides the tiles between), then the tile beside it goes back and forth.
    my @played;
    for my $p (grep { $_->{layout} } @live) {
        my ($l, $win) = ($p->{layout}, $p->{window});
        my ($w, $h) = geometry($win);
        if ($w != $l->{w} || $h != $l->{h}) {
            printf "run %d %-14s window is %dx%d, not %dx%d: board not found, not clicked\n",
                $run, $p->{label}, $w, $h, $l->{w}, $l->{h};
            next;
        }
        click_cells($l, $win, $pause, [0, 0], [1, 0], [2, 0], [3, 0], [0, 0]);
        snapshot($win, "$tmp/a.png");
        click_cells($l, $win, $pause, [0, 1]);
        snapshot($win, "$tmp/b.png");
        click_cells($l, $win, $pause, [0, 0]);
        snapshot($win, "$tmp/c.png");
        if (!boards_differ($l, "$tmp/a.png", "$tmp/b.png")
            || boards_differ($l, "$tmp/a.png", "$tmp/c.png")) {
            printf "run %d %-14s a click did not move the tile back and forth: not counted\n",
                $run, $p->{label};
            next;
        }
        my @cells = map { $_ % 2 ? [0, 0] : [0, 1] } 0 .. $clicks - 1;
        my $c0 = (cpu_ms($p->{pid}))[0];
        my $t0 = time;
        click_cells($l, $win, $pause, @cells);
        sleep 0.5;
        my $dt = time - $t0;
        my $cpu = (cpu_ms($p->{pid}))[0] - $c0 - $rate{$p->{label}} * $dt * 1000;
        push @{$click_ms{$p->{label}}}, $cpu / $clicks;
        printf "run %d %-14s %d clicks: %.3f ms CPU per click (idle subtracted)\n", $run,
            $p->{label}, $clicks, $click_ms{$p->{label}}[-1];
        push @played, $p;
    }

    # Idle with the played game on screen.
    if (@played) {
        sleep 1;
        my %c0 = map { $_->{label} => (cpu_ms($_->{pid}))[0] } @played;
        my $t0 = time;
        sleep $idle_s;
        my $dt = time - $t0;
        for my $p (@played) {
            my $cpu = (cpu_ms($p->{pid}))[0] - $c0{$p->{label}};
            push @{$idle_play{$p->{label}}}, 100 * $cpu / ($dt * 1000);
            printf "run %d %-14s idle, game played on %.3f %% of a core\n", $run, $p->{label},
                $idle_play{$p->{label}}[-1];
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
    my $line = sprintf "  %-14s idle-first %.3f %%", $label, median(@{$idle_first{$label}});
    $line .= sprintf "  click %.3f ms", median(@{$click_ms{$label}}) if $click_ms{$label};
    $line .= sprintf "  idle-play %.3f %%", median(@{$idle_play{$label}}) if $idle_play{$label};
    printf "%s  (%d click runs)\n", $line, scalar @{$click_ms{$label} // []};
}
